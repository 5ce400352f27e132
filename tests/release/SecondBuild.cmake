# Builds the release a second time, from a copy of the sources in WORK/sources (build folders
# and the repository's history left out) into WORK/build, and compares its unsigned archive
# with EXPECTED, the main build's: two builds of one commit must give the same bytes. On a
# difference it names the entries that differ.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/sources)
file(GLOB entries LIST_DIRECTORIES true RELATIVE ${SOURCE} ${SOURCE}/*)
foreach(entry IN LISTS entries)
  if(entry STREQUAL ".git" OR EXISTS ${SOURCE}/${entry}/CMakeCache.txt)
    continue()
  endif()
  file(COPY ${SOURCE}/${entry} DESTINATION ${WORK}/sources)
endforeach()

execute_process(COMMAND ${CMAKE_COMMAND} -S ${WORK}/sources -B ${WORK}/build -G Ninja
                OUTPUT_FILE ${WORK}/configure.log ERROR_FILE ${WORK}/configure.log RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "configuring the second build failed: see ${WORK}/configure.log")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK}/build --target release -j2
                OUTPUT_FILE ${WORK}/build.log ERROR_FILE ${WORK}/build.log RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "building the second release failed: see ${WORK}/build.log")
endif()

get_filename_component(name ${EXPECTED} NAME)
set(second ${WORK}/build/release-work/${name})
file(SHA256 ${EXPECTED} expected_sum)
file(SHA256 ${second} second_sum)
if(expected_sum STREQUAL second_sum)
  message(STATUS "The second build's archive is byte for byte the first's: ${second_sum}")
  file(REMOVE_RECURSE ${WORK})
  return()
endif()

set(differing "")
file(GLOB_RECURSE files RELATIVE ${WORK}/build/release-work/unsigned ${WORK}/build/release-work/unsigned/*)
get_filename_component(first_work ${EXPECTED} DIRECTORY)
foreach(file IN LISTS files)
  file(SHA256 ${WORK}/build/release-work/unsigned/${file} a)
  file(SHA256 ${first_work}/unsigned/${file} b)
  if(NOT a STREQUAL b)
    list(APPEND differing ${file})
  endif()
endforeach()
message(FATAL_ERROR "The second build's archive differs from the first's (${expected_sum} against "
                    "${second_sum}); differing entries: ${differing}. The second build stays in ${WORK}.")
