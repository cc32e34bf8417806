add_fuzz_target(stat_cards SOURCES StatCardsFuzz.cpp DeckFuzzBase.cpp LIBS zandor_logic)
