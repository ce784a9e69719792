# Runs lupdate over the sources into a copy of the translation file and fails on any entry it leaves
# unfinished (a text that is new or changed since the file was last translated).
file(MAKE_DIRECTORY "${WORK_DIR}")
set(copy "${WORK_DIR}/tessaroven_en.ts")
configure_file("${TS_FILE}" "${copy}" COPYONLY)
execute_process(COMMAND "${LUPDATE}" "${SOURCES}" -ts "${copy}" -source-language ja_JP -no-obsolete -locations none
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
message(STATUS "${output}${errors}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${status})")
endif()
file(STRINGS "${copy}" unfinished REGEX "type=\"unfinished\"")
list(LENGTH unfinished count)
if(count GREATER 0)
  message(FATAL_ERROR "${count} text(s) without an English translation; run the update_translations target, "
                      "translate them in ${TS_FILE} and commit it (see ${copy})")
endif()
