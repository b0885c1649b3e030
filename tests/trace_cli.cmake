# Runs switchsim-trace as a user would: good command lines succeed, bad ones
# print one line on stderr, nothing on stdout, and exit with code 2.

function(expect_usage_error)
  execute_process(COMMAND ${TRACE} ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REGEX MATCHALL "\n" newlines "${err}")
  list(LENGTH newlines lines)
  if(NOT code EQUAL 2 OR NOT out STREQUAL "" OR NOT lines EQUAL 1
     OR NOT err MATCHES "^switchsim-trace: ")
    message(FATAL_ERROR "switchsim-trace ${ARGN}: exit ${code}, stdout '${out}', stderr '${err}'")
  endif()
endfunction()

function(expect_success pattern)
  execute_process(COMMAND ${TRACE} ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code EQUAL 0 OR NOT out MATCHES "${pattern}" OR NOT err STREQUAL "")
    message(FATAL_ERROR "switchsim-trace ${ARGN}: exit ${code}, stdout '${out}', stderr '${err}'")
  endif()
endfunction()

expect_usage_error(--rates abc)
expect_usage_error(--rates 1,abc,1)
expect_usage_error(--technique)
expect_usage_error(--technique Cell)
expect_usage_error(--size 301)
expect_usage_error(--delays 50,50)
expect_usage_error(--seed x)
expect_usage_error(--size 300 --size 400)
expect_usage_error(--unknown)
expect_usage_error(extra)

expect_success("Usage: switchsim-trace" --help)
expect_success("^switchsim-trace [0-9]+\\.[0-9]+" --version)
expect_success("Message: the data reached Receive after 6900 ms" --seed 1)
expect_success("Circuit +6375" --compare --seed 1)
expect_success("\"event\":\"end\",\"technique\":\"Packet\"" --technique Packet --json)
expect_success("\"seed\":[0-9]+" --json)

# A picture that cannot be written: exit 1, one line on stderr, nothing on stdout.
execute_process(COMMAND ${TRACE} --png /nonexistent-folder/out.png
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 1 OR NOT out STREQUAL "" OR NOT err MATCHES "^switchsim-trace: --png: cannot write")
  message(FATAL_ERROR "--png to a missing folder: exit ${code}, stdout '${out}', stderr '${err}'")
endif()
