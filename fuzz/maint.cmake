add_fuzz_target(maint_spoiler SOURCES MaintSpoilerFuzz.cpp LIBS zandor_logic)
