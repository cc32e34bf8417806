add_fuzz_target(play_engine SOURCES PlayEngineFuzz.cpp LIBS zandor_logic)
