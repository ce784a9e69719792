# Runs tessaroven-convert on a readings file with the dynamic loader reporting every library it loads, and
# fails if a Qt library is among them: only --plot may load Qt.
execute_process(COMMAND ${CMAKE_COMMAND} -E env LD_DEBUG=libs ${CONVERTER} --list
                INPUT_FILE ${INPUT}
                RESULT_VARIABLE status
                OUTPUT_QUIET
                ERROR_VARIABLE loaded)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "tessaroven-convert exited with ${status}: ${loaded}")
endif()
if(NOT loaded MATCHES "libc\\.so")
    message(FATAL_ERROR "the loader reported no libraries, so LD_DEBUG=libs proves nothing here: ${loaded}")
endif()
string(REGEX MATCHALL "library=[^ \t\n]*libQt6[^ \t\n]*" qt "${loaded}")
if(qt)
    list(REMOVE_DUPLICATES qt)
    message(FATAL_ERROR "tessaroven-convert loaded Qt for a conversion without --plot: ${qt}")
endif()
