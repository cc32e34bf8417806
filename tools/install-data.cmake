# Puts the bundled sample data beside the program unless a data folder is already there,
# pointing its picture folder at the sample pictures; always refreshes the help folder.
set(data_dir "${BIN}/data")
if(NOT EXISTS "${data_dir}/cardlist.dat")
    file(MAKE_DIRECTORY "${data_dir}")
    file(COPY "${SOURCE}/data/" DESTINATION "${data_dir}")
    if(EXISTS "${SOURCE}/data/Zandor.ini")
        set(PICDIR "${data_dir}/pics")
        configure_file("${SOURCE}/data/Zandor.ini" "${data_dir}/Zandor.ini" @ONLY NEWLINE_STYLE CRLF)
    endif()
endif()
if(EXISTS "${SOURCE}/help")
    file(COPY "${SOURCE}/help/" DESTINATION "${BIN}/help")
endif()
