# add_wine_test_fixture(): the CTest fixture "wine" that starts the shared
# prefix before the first test that needs it and ends it after the last.
# wine_test_properties(<tests...>): makes tests use that prefix.
set(WINE_TEST_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(WINE_TEST_ENVIRONMENT WINEPREFIX=${WINE_TEST_PREFIX} WINEDEBUG=-all "WINEDLLOVERRIDES=mscoree,mshtml=")

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
endif()

function(wine_test_properties)
  set_tests_properties(${ARGN} PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${WINE_TEST_ENVIRONMENT}")
endfunction()
