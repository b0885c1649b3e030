# The page's worker names its cache after the version and the site's files:
# the same files give the same name, any change to one of them a new name
# (so that a new build's worker replaces the old cache), and every file is kept.
# usage: cmake -DROOT=SOURCE_DIR -DSCRATCH=DIR -P worker_cache_name.cmake
function(cache_name site out)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSITE=${site} -DVERSION=9.8.7
                          -DTEMPLATE=${ROOT}/web/sw.js.in -DOUTPUT=${site}/sw.js
                          -P ${ROOT}/web/service_worker.cmake
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "the worker could not be written for ${site}")
  endif()
  file(READ ${site}/sw.js worker)
  string(REGEX MATCH "const CACHE = '([^']*)'" _ "${worker}")
  set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
  string(REGEX MATCH "const FILES = \\[([^]]*)\\]" _ "${worker}")
  set(${out}_files "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${SCRATCH})
foreach(site a b c)
  file(WRITE ${SCRATCH}/${site}/index.html "<p>switchsim</p>")
  file(WRITE ${SCRATCH}/${site}/page.js "export const x = 1;")
endforeach()
file(WRITE ${SCRATCH}/c/page.js "export const x = 2;")
cache_name(${SCRATCH}/a first)
cache_name(${SCRATCH}/b same)
cache_name(${SCRATCH}/c changed)
if(NOT first MATCHES "^switchsim-9\\.8\\.7-[0-9a-f]+$" OR NOT first STREQUAL same OR first STREQUAL changed)
  message(FATAL_ERROR "cache names: ${first}, ${same} for the same files, ${changed} for a change")
endif()
if(NOT first_files STREQUAL "'./', 'index.html', 'page.js'")
  message(FATAL_ERROR "the worker keeps ${first_files}")
endif()
