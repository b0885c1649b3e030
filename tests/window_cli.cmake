# Runs the window's program from a terminal without any display: a bad
# option gets one line on stderr and exit code 2, and --help and --version
# answer, all before a window could open; without options it says in one
# line that it needs a display, with exit code 1.
unset(ENV{DISPLAY})
unset(ENV{WAYLAND_DISPLAY})
unset(ENV{QT_QPA_PLATFORM})

function(expect_refusal expected)
  execute_process(COMMAND ${WINDOW} ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code EQUAL 2 OR NOT out STREQUAL "" OR NOT err STREQUAL "switchsim: ${expected}\n")
    message(FATAL_ERROR "switchsim ${ARGN}: exit ${code}, stdout '${out}', stderr '${err}'")
  endif()
endfunction()

function(expect_answer pattern)
  execute_process(COMMAND ${WINDOW} ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code EQUAL 0 OR NOT out MATCHES "${pattern}" OR NOT err STREQUAL "")
    message(FATAL_ERROR "switchsim ${ARGN}: exit ${code}, stdout '${out}', stderr '${err}'")
  endif()
endfunction()

expect_refusal("--size: \"250\" is not a message size; use one of 100, 200, 300, 400, 500, 1000" --size 250)
expect_refusal("--rates: \"0\" is not a positive number" --start --rates 1,0,1)
expect_refusal("--speed: \"8\" is not a speed; use one of 0.25, 0.5, 1, 2, 4" --speed=8)
expect_refusal("--seed: needs a value" --seed)
expect_refusal("\"--png\" is not an option; see --help for --technique, --size, --rates, --delays, --packet, --header, --seed, --speed, --exercises, --predict, --ask, --tolerance, --question, --start, --zoom, --projector, --share, --users, --active, --user-rate, --link-rate, --burst, --slots, --queue, --intensity, --buffer, --packets, --lang, --version" --png x.png)
expect_refusal("--technique: given more than once" --technique Packet --technique Packet)
expect_refusal("--zoom: \"90\" is not a zoom; use 100, 125, 150, 200, fit or auto" --zoom 90)
expect_refusal("--start: an exercise starts its run once the answer is in; leave it out" --predict --start)
expect_refusal("--ask: goes with --predict, which was not given" --ask fastest)
expect_answer("^Usage: switchsim \\[OPTION\\]" --help)
expect_answer("\n  --zoom Z +show the form at 100, 125, 150 or 200 per cent.*\n  --projector +draw for a projector" --help)
expect_answer("^switchsim [0-9]+\\.[0-9]+\\.[0-9]+\n$" --version)

foreach(display "" ":98765")
  set(ENV{DISPLAY} "${display}")
  execute_process(COMMAND ${WINDOW} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REGEX MATCHALL "\n" newlines "${err}")
  list(LENGTH newlines lines)
  if(NOT code EQUAL 1 OR NOT out STREQUAL "" OR NOT lines EQUAL 1
     OR NOT err MATCHES "^switchsim: the window needs a display.*switchsim-trace runs without one")
    message(FATAL_ERROR "switchsim with DISPLAY '${display}': exit ${code}, stdout '${out}', stderr '${err}'")
  endif()
endforeach()
unset(ENV{DISPLAY})
