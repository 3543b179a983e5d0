# Runs cmdscript on SCRIPT in a fresh copy of PROGDIR and compares its standard output
# with EXPECTED. Arguments: CMDSCRIPT, SCRIPT, EXPECTED, PROGDIR, WORKDIR.
file(REMOVE_RECURSE ${WORKDIR})
file(COPY ${PROGDIR}/ DESTINATION ${WORKDIR})
execute_process(COMMAND ${CMDSCRIPT} ${WORKDIR}
  INPUT_FILE ${SCRIPT}
  OUTPUT_VARIABLE out
  ERROR_VARIABLE log
  RESULT_VARIABLE rc)
file(READ ${EXPECTED} expected)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmdscript failed (${rc})\n${out}\n${log}")
endif()
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "output differs\n--- got:\n${out}--- expected:\n${expected}--- log:\n${log}")
endif()
