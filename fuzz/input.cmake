# The parsers of hostile input: deck files from disk, the card program language, the
# play-test deck reader, the command line, the code page and the help file.
add_fuzz_target(deck_file SOURCES DeckFileFuzz.cpp DeckFuzzBase.cpp LIBS zandor_logic)
add_fuzz_target(card_program SOURCES CardProgramFuzz.cpp LIBS zandor_logic)
add_fuzz_target(play_deck SOURCES PlayDeckFuzz.cpp DeckFuzzBase.cpp LIBS zandor_logic)
add_fuzz_target(command_line SOURCES CommandLineFuzz.cpp DeckFuzzBase.cpp LIBS zandor_cli)
add_fuzz_target(code_page SOURCES CodePageFuzz.cpp LIBS zandor_logic)
add_fuzz_target(help_file SOURCES HelpFileFuzz.cpp LIBS zandor_ui)
add_fuzz_target(deck_apprentice SOURCES DeckApprenticeFuzz.cpp DeckFuzzBase.cpp LIBS zandor_logic)
