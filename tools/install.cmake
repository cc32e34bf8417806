# Installing: `cmake --install build --prefix PREFIX` (or `make install PREFIX=...`) puts the
# two programs in PREFIX/bin, and the help file, the mana symbol font and the sample data
# (with its generated pictures) in PREFIX/share/zandor-library, beside a menu entry and an
# icon. The programs find that folder relative to their own place, so the prefix need only be
# known at install time; each user's data folder is filled from the sample on first start.
include(GNUInstallDirs)
set(ZANDOR_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/zandor-library)

# The installed sample data: a copy of the bundled data folder made in the build, with the
# pictures make-card-pictures draws for it (edition symbols beside the data files, art in
# "pics"). The settings keep their picture-folder mark; the first start replaces it with the
# user's own folder.
set(ZANDOR_SAMPLE_DATA ${CMAKE_BINARY_DIR}/sample-data)
set(ZANDOR_SAMPLE_STAMP ${CMAKE_BINARY_DIR}/sample-data.stamp)
file(GLOB_RECURSE zandor_sample_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*)
add_custom_command(
    OUTPUT ${ZANDOR_SAMPLE_STAMP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${ZANDOR_SAMPLE_DATA}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data ${ZANDOR_SAMPLE_DATA}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:make-card-pictures> sample ${ZANDOR_SAMPLE_DATA}
            ${ZANDOR_SAMPLE_DATA}/pics
    COMMAND ${CMAKE_COMMAND} -E touch ${ZANDOR_SAMPLE_STAMP}
    DEPENDS make-card-pictures ${zandor_sample_sources}
    COMMENT "Making the sample data that is installed, with its pictures"
    VERBATIM)
add_custom_target(zandor_sample_data ALL DEPENDS ${ZANDOR_SAMPLE_STAMP})

install(TARGETS zandor zandor-library RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/help/mRuleE.hlp DESTINATION ${ZANDOR_SHARE_DIR}/help)
install(FILES ${CMAKE_SOURCE_DIR}/resources/fonts/ZandorSymbols.ttf
        DESTINATION ${ZANDOR_SHARE_DIR}/fonts)
install(DIRECTORY ${ZANDOR_SAMPLE_DATA}/ DESTINATION ${ZANDOR_SHARE_DIR}/data)
# The menu entry names the installed program by its full path, which is known only at
# install time, so that it starts also from a prefix whose bin folder is not on the PATH.
install(CODE "
    set(ZANDOR_EXEC \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/zandor-library\")
    set(desktop \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/zandor-library.desktop\")
    message(STATUS \"Installing: \${desktop}\")
    configure_file(\"${CMAKE_SOURCE_DIR}/resources/desktop/zandor-library.desktop.in\"
                   \"\${desktop}\" @ONLY)
")
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/zandor-library.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
