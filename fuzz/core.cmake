add_fuzz_target(card_line SOURCES CardLineFuzz.cpp LIBS zandor_logic)
add_fuzz_target(ini_file SOURCES IniFileFuzz.cpp LIBS zandor_logic)
add_fuzz_target(plain_text SOURCES PlainTextFuzz.cpp LIBS zandor_logic)
