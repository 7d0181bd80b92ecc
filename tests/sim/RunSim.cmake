# Plays SCRIPT through SIM and compares standard output with EXPECTED byte
# for byte. On a difference the actual output is kept in ACTUAL and a diff
# is shown.
execute_process(COMMAND ${SIM} INPUT_FILE ${SCRIPT}
                OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "quibix-sim ended with ${status} on ${SCRIPT}\n${errors}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  file(WRITE ${ACTUAL} "${actual}")
  execute_process(COMMAND diff -u ${EXPECTED} ${ACTUAL})
  message(FATAL_ERROR "output differs from ${EXPECTED} (actual output: ${ACTUAL})")
endif()
