# Installing: `cmake --install build --prefix PREFIX` (or `make install PREFIX=...`) puts the
# two programs in PREFIX/bin, and the help file, the mana symbol font and the sample data
# (with its generated pictures) in PREFIX/share/zandor-library, beside a menu entry and an
# icon. The programs find that folder relative to their own place, so the prefix need only be
# known at install time; each user's data folder is filled from the sample on first start.
include(GNUInstallDirs)
set(ZANDOR_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/zandor-library)

# The pictures of the sample data, drawn once into a folder of the build's own.
set(ZANDOR_SAMPLE_PICTURES ${CMAKE_BINARY_DIR}/sample-pictures)
add_custom_command(
    OUTPUT ${ZANDOR_SAMPLE_PICTURES}/.sample
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ZANDOR_SAMPLE_PICTURES}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:make-card-pictures> sample ${CMAKE_SOURCE_DIR}/data
            ${ZANDOR_SAMPLE_PICTURES}
    COMMAND ${CMAKE_COMMAND} -E touch ${ZANDOR_SAMPLE_PICTURES}/.sample
    DEPENDS make-card-pictures ${CMAKE_SOURCE_DIR}/data/cardlist.dat
    COMMENT "Drawing the sample pictures that are installed"
    VERBATIM)
add_custom_target(zandor_sample_pictures ALL DEPENDS ${ZANDOR_SAMPLE_PICTURES}/.sample)

install(TARGETS zandor zandor-library RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/help/mRuleE.hlp DESTINATION ${ZANDOR_SHARE_DIR}/help)
install(FILES ${CMAKE_SOURCE_DIR}/resources/fonts/ZandorSymbols.ttf
        DESTINATION ${ZANDOR_SHARE_DIR}/fonts)
# The settings keep their picture-folder mark; the first start replaces it with the user's
# own folder.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${ZANDOR_SHARE_DIR}/data)
install(DIRECTORY ${ZANDOR_SAMPLE_PICTURES}/ DESTINATION ${ZANDOR_SHARE_DIR}/data/pics)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/zandor-library.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/zandor-library.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
