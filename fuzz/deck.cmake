add_fuzz_target(deck_lines SOURCES DeckLinesFuzz.cpp DeckFuzzBase.cpp LIBS zandor_logic)
add_fuzz_target(deck_rulings SOURCES DeckRulingsFuzz.cpp DeckFuzzBase.cpp LIBS zandor_logic)
add_fuzz_target(deck_search SOURCES DeckSearchFuzz.cpp DeckFuzzBase.cpp LIBS zandor_logic)
