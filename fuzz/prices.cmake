add_fuzz_target(maint_prices SOURCES MaintPricesFuzz.cpp LIBS zandor_logic)
add_fuzz_target(maint_rulings SOURCES MaintRulingsFuzz.cpp LIBS zandor_logic)
