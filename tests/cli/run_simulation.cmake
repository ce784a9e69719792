# Pipes the real converter into itself: the readings --simulate prints for a piecewise linear bow-tie profile,
# converted with --model isotropic, give that profile back (to the list's 0.1 %).
set(profile ${WORK_DIR}/bowtie.csv)
file(WRITE ${profile} "position_cm,relative\n0,100\n10,70\n20,40\n40,0\n")
execute_process(COMMAND ${CONVERTER} --simulate ${profile}
                COMMAND ${CONVERTER} --model isotropic --list
                RESULTS_VARIABLE statuses
                OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
if(NOT statuses STREQUAL "0;0")
    message(FATAL_ERROR "tessaroven-convert exited with ${statuses}: ${err}")
endif()
string(REGEX MATCHALL "\n" lines "${out}")
list(LENGTH lines count)
if(NOT count EQUAL 31 OR NOT out MATCHES "\n10 : [0-9.]+  70\\.0\n" OR NOT out MATCHES "\n21 : [0-9.]+  38\\.0\n"
   OR NOT out MATCHES "\n30 : [0-9.]+  20\\.0\n")
    message(FATAL_ERROR "unexpected list: ${out}")
endif()
