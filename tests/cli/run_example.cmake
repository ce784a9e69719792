# Runs tessaroven-convert on a readings file given on standard input, or on the measurement file MEASUREMENT,
# and compares the written file with the expected bytes. EMULATOR (wine for a Windows build) runs it where
# the build machine cannot.
file(REMOVE ${OUTPUT})
set(args)
if(MEASUREMENT)
    set(args --measurement ${MEASUREMENT})
endif()
execute_process(COMMAND ${EMULATOR} ${CONVERTER} ${args} --output ${OUTPUT}
                INPUT_FILE ${INPUT}
                RESULT_VARIABLE status
                OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "tessaroven-convert exited with ${status}: ${err}")
endif()
if(NOT out STREQUAL "")
    message(FATAL_ERROR "unexpected standard output: ${out}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${EXPECTED} RESULT_VARIABLE different)
if(NOT different EQUAL 0)
    file(READ ${OUTPUT} written HEX)
    message(FATAL_ERROR "written file differs from the expected bytes; written (hex): ${written}")
endif()
