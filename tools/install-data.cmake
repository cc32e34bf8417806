# Puts the bundled sample data beside the program unless a data folder is already there,
# pointing its picture folder at the sample pictures; always refreshes the help folder.
set(data_dir "${BIN}/data")
set(fresh_copy OFF)
if(NOT EXISTS "${data_dir}/cardlist.dat")
    set(fresh_copy ON)
    file(MAKE_DIRECTORY "${data_dir}")
    file(COPY "${SOURCE}/data/" DESTINATION "${data_dir}")
    if(EXISTS "${SOURCE}/data/Zandor.ini")
        set(PICDIR "${data_dir}/pics")
        configure_file("${SOURCE}/data/Zandor.ini" "${data_dir}/Zandor.ini" @ONLY NEWLINE_STYLE CRLF)
    endif()
endif()
# The sample pictures (frames, edition symbols, one art file per card of the card list) are
# drawn by make-card-pictures, only where missing and only into a data folder that came
# from the bundled sample (marked by pics/.sample), never into a user's own folder.
set(pictures_tool "${BIN}/make-card-pictures")
if(EXISTS "${pictures_tool}" AND (fresh_copy OR EXISTS "${data_dir}/pics/.sample"))
    file(MAKE_DIRECTORY "${data_dir}/pics")
    file(TOUCH "${data_dir}/pics/.sample")
    execute_process(COMMAND "${pictures_tool}" sample "${data_dir}" "${data_dir}/pics"
                    RESULT_VARIABLE pictures_result OUTPUT_VARIABLE pictures_output
                    ERROR_QUIET)
    if(NOT pictures_result EQUAL 0)
        message(WARNING "make-card-pictures failed: ${pictures_result}")
    elseif(NOT pictures_output MATCHES " 0 frames, 0 edition symbols, 0 art")
        message(STATUS "Sample pictures: ${pictures_output}")
    endif()
endif()
if(EXISTS "${SOURCE}/help")
    file(COPY "${SOURCE}/help/" DESTINATION "${BIN}/help")
endif()
