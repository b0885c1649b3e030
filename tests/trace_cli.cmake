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
expect_success("^record,unit,link,direction,first bit left ms" --timing --csv --seed 1)
expect_success("first bit arrived ms.*Message: the data reached Receive after 6900 ms" --timing --seed 1)

# Every option with wrong values: missing, empty, not in the list, not a
# number, out of range, repeated, unknown. None of them may write a picture.
set(unwritten ${CMAKE_CURRENT_BINARY_DIR}/trace_cli_unwritten.png)
set(unwritten_svg ${CMAKE_CURRENT_BINARY_DIR}/trace_cli_unwritten.svg)
file(REMOVE ${unwritten} ${unwritten_svg})
foreach(option --technique --size --rates --delays --seed --png --svg)
  expect_usage_error(${option})
  expect_usage_error(${option}=)
  expect_usage_error(--png ${unwritten} ${option})
  expect_usage_error(--svg ${unwritten_svg} ${option})
endforeach()
expect_usage_error(--svg ${unwritten_svg} --svg ${unwritten_svg})
expect_usage_error(--png ${unwritten_svg} --svg ${unwritten_svg})
expect_usage_error(--svg ${unwritten_svg} --additions=yes)
expect_usage_error(--technique message)
expect_usage_error(--technique "Message ")
expect_usage_error(--technique "a\nb")
expect_usage_error(--technique Ü)
expect_usage_error(--technique --json)
expect_usage_error(--size 1e2)
expect_usage_error(--size " 300")
expect_usage_error(--delays 50,50,51)
expect_usage_error(--delays 50,,50)
expect_usage_error(--delays 50,50,50,50)
expect_usage_error(--rates x,1,1)
expect_usage_error(--rates inf,1,1)
expect_usage_error(--rates 1,nan,1)
expect_usage_error(--rates 0,1,1)
expect_usage_error(--rates 1,-1,1)
expect_usage_error(--rates 1,1,1e999)
expect_usage_error(--rates 1,1)
expect_usage_error(--rates "1,1,\n")
expect_usage_error(--seed 1.5)
expect_usage_error(--seed -1)
expect_usage_error(--seed +1)
expect_usage_error(--seed 18446744073709551616)
expect_usage_error(--json --json)
expect_usage_error(--technique Message --technique=Packet)
expect_usage_error(--seed 1 --seed 1)
expect_usage_error(-h --help)
expect_usage_error(--png ${unwritten} --png ${unwritten})
expect_usage_error(--json=yes)
expect_usage_error(--compare=)
expect_usage_error(-x)
expect_usage_error(--)
expect_usage_error(--Rates 1,1,1)
expect_usage_error(extra extra)
expect_usage_error("--x\ny")
expect_usage_error(--png ${unwritten} --bogus)
expect_usage_error(--additions)
expect_usage_error(--csv)
expect_usage_error(--csv --json)
expect_usage_error(--timing --json)
expect_usage_error(--timing --compare --csv)
expect_usage_error(--timing=yes)
expect_usage_error(--additions --compare)
expect_usage_error(--png ${unwritten} --additions=yes)
foreach(file ${unwritten} ${unwritten_svg})
  if(EXISTS ${file})
    message(FATAL_ERROR "a refused command line wrote ${file}")
  endif()
endforeach()

# Pictures that cannot be written: exit 1, one line on stderr, nothing on
# stdout, and no file left behind.
function(expect_unwritable option path)
  execute_process(COMMAND ${TRACE} --seed 1 ${option} ${path} ${ARGN}
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REGEX MATCHALL "\n" newlines "${err}")
  list(LENGTH newlines lines)
  if(NOT code EQUAL 1 OR NOT out STREQUAL "" OR NOT lines EQUAL 1
     OR NOT err MATCHES "^switchsim-trace: ${option}: cannot write")
    message(FATAL_ERROR "${option} '${path}': exit ${code}, stdout '${out}', stderr '${err}'")
  endif()
endfunction()
foreach(option --png --svg)
  expect_unwritable(${option} /)
  expect_unwritable(${option} /nonexistent-folder/out.picture)
  expect_unwritable(${option} /nonexistent-folder/out.picture --compare)
  expect_unwritable(${option} "/nonexistent-folder/a\nb.picture")
  expect_unwritable(${option} /proc/switchsim-trace.picture --json)
endforeach()
# A folder where the picture was to be is left as it was.
set(folder ${CMAKE_CURRENT_BINARY_DIR}/trace_cli_folder.svg)
file(REMOVE_RECURSE ${folder})
file(MAKE_DIRECTORY ${folder})
expect_unwritable(--svg ${folder})
file(GLOB left_behind ${CMAKE_CURRENT_BINARY_DIR}/trace_cli_folder.svg*)
if(NOT left_behind STREQUAL "${folder}")
  message(FATAL_ERROR "--svg onto a folder left '${left_behind}'")
endif()

# --compare --json: every line is one JSON object, and each run's end event
# carries both the simulated and the continuous-time value.
execute_process(COMMAND ${TRACE} --compare --json --seed 3 RESULT_VARIABLE code OUTPUT_VARIABLE out)
string(REPLACE "\n" ";" lines "${out}")
set(ends 0)
foreach(line IN LISTS lines)
  if(line STREQUAL "")
    continue()
  endif()
  string(JSON type ERROR_VARIABLE json_error TYPE "${line}")
  if(json_error OR NOT type STREQUAL "OBJECT")
    message(FATAL_ERROR "--compare --json: not a JSON object: '${line}' (${json_error})")
  endif()
  string(JSON event GET "${line}" event)
  if(event STREQUAL "end")
    string(JSON simulated GET "${line}" completed_ms)
    string(JSON continuous GET "${line}" continuous_ms)
    math(EXPR ends "${ends} + 1")
  endif()
endforeach()
if(NOT code EQUAL 0 OR NOT ends EQUAL 3)
  message(FATAL_ERROR "--compare --json: exit ${code}, ${ends} end events")
endif()

# --sweep: a bad sweep is refused like any option; the curves' picture is
# well-formed SVG with a point for every run, written whole or not at all.
expect_usage_error(--sweep size=30:100:20)
expect_usage_error(--sweep bogus=1:2:1 --svg ${unwritten})
expect_usage_error(--sweep size=20:100:20 --additions --svg ${unwritten})
expect_success("^size,technique,seed,simulated_ms,formula_ms\n20,Message,1,[0-9]+,[0-9.]+\n"
               --sweep size=20:100:20 --csv)
set(curves ${CMAKE_CURRENT_BINARY_DIR}/trace_cli_curves.svg)
file(REMOVE ${curves})
expect_success("Circuit overtakes Message" --sweep size=20:1000:100 --seeds 2 --rates 1,1,1 --svg ${curves})
execute_process(COMMAND /usr/bin/python3 -c
  "import sys, xml.etree.ElementTree as E; svg = '{http://www.w3.org/2000/svg}'; root = E.parse(sys.argv[1]).getroot(); circles = root.iter(svg + 'circle'); assert root.tag == svg + 'svg', root.tag; n = sum(1 for c in circles if float(c.get('r')) == 3); assert n == 10 * 3 * 2 + 5, n; assert root.find(svg + 'title').text.startswith('Completion time against message size')"
  ${curves} RESULT_VARIABLE code ERROR_VARIABLE err)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "--svg: not the curves' SVG: ${err}")
endif()
execute_process(COMMAND ${TRACE} --sweep size=20:100:20 --svg /nonexistent-folder/c.svg
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 1 OR NOT out STREQUAL "" OR NOT err MATCHES "^switchsim-trace: --svg: cannot write \"/nonexistent-folder/c.svg\": ")
  message(FATAL_ERROR "--svg unwritable: exit ${code}, stdout '${out}', stderr '${err}'")
endif()

# --check-exercises: the built-in course, printed by --course, checks with a
# line per exercise and no warning, or as one JSON object with --json; a bad
# sheet is refused with its line and column.
set(course ${CMAKE_CURRENT_BINARY_DIR}/trace_cli_course.json)
execute_process(COMMAND ${TRACE} --course OUTPUT_FILE ${course} RESULT_VARIABLE code)
expect_success("^1 completion Message 3450 ms; accepted 3277.5 to 3622.5 ms; simulated 3600 ms\n.*\n16 crossover 180 units; accepted 171 to 189 units; simulated crossing at 176.7 units\n$"
               --check-exercises ${course})
execute_process(COMMAND ${TRACE} --check-exercises ${course} OUTPUT_VARIABLE out)
if(out MATCHES "warning")
  message(FATAL_ERROR "--check-exercises: the course warns: ${out}")
endif()
expect_success("^{\"title\":\"Switching, step by step\",\"exercises\":\\[{\"number\":1,.*\"warnings\":\\[\\]}\\]}\n$"
               --check-exercises ${course} --json)
expect_usage_error(--check-exercises ${course} --csv)
set(sheet ${CMAKE_CURRENT_BINARY_DIR}/trace_cli_sheet.json)
file(WRITE ${sheet} "{\"title\": \"T\",\n \"exercises\": [],}")
expect_usage_error(--check-exercises ${sheet})
execute_process(COMMAND ${TRACE} --check-exercises ${sheet} ERROR_VARIABLE err)
if(NOT err MATCHES "line 2, column 18: ")
  message(FATAL_ERROR "--check-exercises: no line and column in '${err}'")
endif()
expect_usage_error(--check-exercises /nonexistent-folder/sheet.json)
expect_usage_error(--check-exercises ${course} --seed 1)

# --share and --queue: the labs' figures as one JSON object, with the
# textbook's numbers; what a lab cannot run is refused with exit code 2.
expect_success("^{\"users\":35,.*\"slots\":100000,.*\"circuit_users\":10,.*\"congestion_formula\":0.000424.*\"congestion_simulated\":"
               --share --json)
expect_success("\"intensity\":0.9,.*\"packets\":1000,.*\"mean_wait_formula_ms\":450.*\"lost\":"
               --queue --intensity 0.9 --buffer 5 --packets 1000 --json)
expect_success("circuits: users served.* 10, 25 refused" --share)
foreach(bad "--share;--users;0" "--share;--active;1" "--share;--user-rate;2" "--queue;--intensity;1"
            "--share;--slots;1000000000" "--users;5" "--share;--technique;Packet" "--queue;--share"
            "--sweep;users=1:5:1" "--share;--sweep;intensity=0.1:0.5:0.1" "--share;--sweep;size=20:100:20"
            "--share;--sweep;users=0:10:1" "--share;--sweep;users=2.5:4:1" "--queue;--sweep;intensity=0.5:1:0.1"
            "--share;--sweep;users=1:1000:1;--seeds;100" "--share;--seeds;2" "--share;--sweep;users=1:5:1;--json")
  expect_usage_error(${bad})
endforeach()
# A lab's sweep: its figure against the users or the intensity, as a table or CSV.
expect_success("^users,seed,congestion_simulated,congestion_formula.10,1,0,0.*35,2,[0-9.e-]+,0.000424"
               --share --sweep users=10:35:25 --seeds 2 --csv)
expect_success("Queueing delay against traffic intensity.*\n0.8\t200.0\t" --queue --sweep intensity=0.5:0.8:0.3)


# The language of the texts a person reads: --lang, else the environment as
# gettext reads it (LANGUAGE's list unless the locale is C or POSIX). What is
# for programs (--json, every CSV) is the same in every language.
set(neutral --unset=LANGUAGE --unset=LC_ALL --unset=LC_MESSAGES LANG=C.UTF-8)
function(expect_said pattern code)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${neutral} ${ARGN} RESULT_VARIABLE got OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  if(NOT got EQUAL code OR NOT "${out}${err}" MATCHES "${pattern}")
    message(FATAL_ERROR "${ARGN}: exit ${got}, stdout '${out}', stderr '${err}'")
  endif()
endfunction()
expect_said("^switchsim-trace: --png: \\[\"\" is not a file name~+\\]\n$" 2 ${TRACE} --lang pseudo --png=)
expect_said("^[^\n]*\n\\[technique~+\\]  \\[simulated ms~+\\].*  6750,0  .*  150,0\n" 0
            ${TRACE} --lang=pseudo --compare --seed 1)
expect_said("^\\[Usage: .*\n  --seed N +\\[seed of the run's random numbers" 0 ${TRACE} --lang pseudo --help)
expect_said("\"\" ist kein Dateiname" 2 LANGUAGE=fr:de ${TRACE} --png=)
expect_said("\"\" no es un nombre de archivo" 2 LANGUAGE=de ${TRACE} --lang es --png=)
expect_said("\"\" ist kein Dateiname" 2 LC_MESSAGES=de_AT.UTF-8 ${TRACE} --png=)
expect_said("\"\" is not a file name" 2 LANGUAGE=de LC_ALL=C ${TRACE} --png=)
expect_said("~\\]" 0 ${TRACE} --lang pseudo --check-exercises ${course})
expect_said("^switchsim-trace: --lang: \"xx\" is not a language switchsim speaks: [^\n]*\n$" 2 ${TRACE} --lang xx)
foreach(run "--json;--seed;1" "--json;--compare;--seed;1" "--timing;--csv;--seed;1" "--sweep;size=20:60:20;--csv"
            "--share;--json;--slots;1000" "--queue;--sweep;intensity=0.5:0.8:0.3;--csv")
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${neutral} ${TRACE} ${run} OUTPUT_VARIABLE english)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${neutral} ${TRACE} --lang pseudo ${run} OUTPUT_VARIABLE pseudo)
  if(NOT english STREQUAL pseudo OR english STREQUAL "")
    message(FATAL_ERROR "${run}: the pseudo-language's output differs from English's:\n${pseudo}")
  endif()
endforeach()
