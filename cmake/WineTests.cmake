# Wine tests run once per Windows architecture of WINE_TEST_ARCHITECTURES, all in
# one Wine prefix that the CTest fixture "wine" starts before the first test that
# needs it and ends after the last.
#
# add_wine_test_package(<target> DIR <folder> NAME <file> JAR <jar> [SETTINGS ...]
#                       [ALLOW_OVERLONG_SETTINGS])
#   packages <folder>/<arch>/<file> for every architecture (see add_packaged_exe);
#   the target <target> builds them all.
# add_wine_tests(<name> COMMAND <program> [<argument>...] [PROPERTIES <property> <value>...])
#   adds the test <name>-<arch> per architecture, running the command with --arch=<arch>
#   in the shared prefix, skipped where the architecture cannot run. The program links
#   the library wine_test_main (tests/support/wine), whose entry reads that argument.
# wine_test_properties(<tests...>): makes other tests use the shared prefix.
set(WINE_TEST_ARCHITECTURES i686 x86_64)
set(WINE_TEST_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
include(${CMAKE_CURRENT_LIST_DIR}/WineEnvironment.cmake)
wine_environment(${WINE_TEST_PREFIX} WINE_TEST_ENVIRONMENT)
set(WINE_TEST_SKIPPED_STATUS 77)
set(I386_PROBE ${CMAKE_BINARY_DIR}/i386-probe)
# Debian's wine32 package: the wine command runs 32-bit programs with this loader. It can be
# missing though the kernel runs 32-bit programs (its packages could not be installed).
set(WINE32_LOADER /usr/lib/wine/wine CACHE FILEPATH "The loader of 32-bit Wine")

# Tests belong to the directory that adds them, so the guard is global: a second
# start of the same prefix, run in parallel with the first, would break both.
get_property(wine_fixture_added GLOBAL PROPERTY WINE_TEST_FIXTURE_ADDED)
if(NOT wine_fixture_added)
  set_property(GLOBAL PROPERTY WINE_TEST_FIXTURE_ADDED TRUE)
  add_test(NAME wine-prefix-start
    COMMAND ${CMAKE_COMMAND} -DMODE=start -DPREFIX=${WINE_TEST_PREFIX} -P ${PROJECT_SOURCE_DIR}/cmake/WinePrefix.cmake)
  add_test(NAME wine-prefix-stop
    COMMAND ${CMAKE_COMMAND} -DMODE=stop -DPREFIX=${WINE_TEST_PREFIX} -P ${PROJECT_SOURCE_DIR}/cmake/WinePrefix.cmake)
  set_tests_properties(wine-prefix-start PROPERTIES FIXTURES_SETUP wine)
  set_tests_properties(wine-prefix-stop PROPERTIES FIXTURES_CLEANUP wine)

  # Wine runs 32-bit Windows programs as 32-bit Linux processes: where the kernel
  # cannot run this tiny one, the 32-bit tests are skipped.
  add_custom_command(OUTPUT ${I386_PROBE}
    COMMAND as --32 ${PROJECT_SOURCE_DIR}/tools/i386-probe.s -o ${I386_PROBE}.o
    COMMAND ld -m elf_i386 ${I386_PROBE}.o -o ${I386_PROBE}
    DEPENDS ${PROJECT_SOURCE_DIR}/tools/i386-probe.s
    VERBATIM)
  add_custom_target(i386-probe ALL DEPENDS ${I386_PROBE})
endif()

function(add_wine_test_package target)
  cmake_parse_arguments(ARG "ALLOW_OVERLONG_SETTINGS" "DIR;NAME;JAR" "SETTINGS" ${ARGN})
  set(options "")
  if(ARG_ALLOW_OVERLONG_SETTINGS)
    set(options ALLOW_OVERLONG_SETTINGS)
  endif()
  add_custom_target(${target} ALL)
  foreach(arch IN LISTS WINE_TEST_ARCHITECTURES)
    add_packaged_exe(${target}-${arch} ARCH ${arch} JAR ${ARG_JAR} OUTPUT ${ARG_DIR}/${arch}/${ARG_NAME}
      SETTINGS ${ARG_SETTINGS} ${options})
    add_dependencies(${target} ${target}-${arch})
  endforeach()
endfunction()

function(add_wine_tests name)
  cmake_parse_arguments(ARG "" "" "COMMAND;PROPERTIES" ${ARGN})
  foreach(arch IN LISTS WINE_TEST_ARCHITECTURES)
    add_test(NAME ${name}-${arch} COMMAND ${ARG_COMMAND} --arch=${arch})
    wine_test_properties(${name}-${arch})
    set_tests_properties(${name}-${arch} PROPERTIES SKIP_RETURN_CODE ${WINE_TEST_SKIPPED_STATUS} ${ARG_PROPERTIES})
  endforeach()
endfunction()

function(wine_test_properties)
  set_tests_properties(${ARGN} PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${WINE_TEST_ENVIRONMENT}")
endfunction()
