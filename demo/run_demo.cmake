# Makes a fresh sample library in LIBRARY with MAKE_SAMPLE_LIBRARY and runs the application on
# it: under Wine in WINE_PREFIX (set up by WINE_PREFIX_SCRIPT), with the runtime home RUNTIME_HOME
# registered as Java 17, the 32-bit EXE32 where the 32-bit program I386_PROBE runs and 32-bit Wine
# (WINE32_LOADER) is installed, and else the
# 64-bit EXE64; or else EXE with the host's JAVA. Shows the console output, the
# exit status and the library's tree; fails when the run does.
file(REMOVE_RECURSE ${LIBRARY})
execute_process(COMMAND ${MAKE_SAMPLE_LIBRARY} ${LIBRARY} OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
# Under a UTF-8 locale Wine and the JVM pass non-ASCII file names on unchanged.
set(ENV{LC_ALL} C.UTF-8)

function(windows_path path result)
  string(REPLACE "/" "\\" path "Z:${path}")
  set(${result} "${path}" PARENT_SCOPE)
endfunction()

if(WINE_PREFIX)
  execute_process(COMMAND ${I386_PROBE} RESULT_VARIABLE probe_status OUTPUT_QUIET ERROR_QUIET)
  if(probe_status STREQUAL "0" AND EXISTS ${WINE32_LOADER})
    set(EXE ${EXE32})
  else()
    set(EXE ${EXE64})
    message("This machine cannot run 32-bit Windows programs (its kernel refuses 32-bit programs, or "
            "32-bit Wine is not installed): the 64-bit executable stands in for the 32-bit one.")
  endif()
  include(${CMAKE_CURRENT_LIST_DIR}/../cmake/WineEnvironment.cmake)
  use_wine_environment(${WINE_PREFIX})
  message("Starting Wine in ${WINE_PREFIX}")
  execute_process(COMMAND ${CMAKE_COMMAND} -DMODE=start -DPREFIX=${WINE_PREFIX} -P ${WINE_PREFIX_SCRIPT}
                  COMMAND_ERROR_IS_FATAL ANY)
  windows_path(${RUNTIME_HOME} runtime_home)
  execute_process(COMMAND wine reg add "HKLM\\SOFTWARE\\JavaSoft\\JRE\\17" /v JavaHome /t REG_SZ
                          /d ${runtime_home} /f
                  OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE registered)
  windows_path(${LIBRARY} library)
  if(registered EQUAL 0)
    message("\n> wine ${EXE} ${library}\n")
    # Input from /dev/null: on a terminal, Wine gives the executable a console of its own, where
    # it would wait for Enter before it ends.
    execute_process(COMMAND wine ${EXE} ${library} INPUT_FILE /dev/null RESULT_VARIABLE status)
  else()
    set(status "no run: the bridge runtime could not be registered")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -DMODE=stop -DPREFIX=${WINE_PREFIX} -P ${WINE_PREFIX_SCRIPT})
else()
  message("\n> ${JAVA} -jar ${EXE} ${LIBRARY}\n")
  execute_process(COMMAND ${JAVA} -jar ${EXE} ${LIBRARY} RESULT_VARIABLE status)
endif()

message("\nExit status: ${status}\n\nThe library now holds (${LIBRARY}):")
execute_process(COMMAND find ${LIBRARY} -mindepth 1 -printf "%P\\n" COMMAND sort)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "The demonstration run failed.")
endif()
