add_fuzz_target(text_deck SOURCES TextDeckFuzz.cpp DeckFuzzBase.cpp LIBS zandor_logic)
