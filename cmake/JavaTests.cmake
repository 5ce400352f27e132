set(JUNIT_CONSOLE_JAR /usr/share/java/junit-platform-console-standalone.jar)
if(NOT EXISTS ${JUNIT_CONSOLE_JAR})
  message(FATAL_ERROR "JUnit 5 console launcher not found: install the junit5 package")
endif()

# Tests run on the build machine's runtime only, so they may use its language level. The
# application's archive names lib/jid3.jar in its manifest, as installed beside the executable;
# that path does not exist in the build, which the path warning would call an error.
set(JAVA_TEST_COMPILE_FLAGS --release 17 -Xlint:all -Xlint:-path -Werror -encoding UTF-8)

# add_test_fixtures(<name> SOURCES <sources...> [INCLUDE_JARS <jar targets or files...>])
# Compiles test support that several test jars share into <name>.jar.
function(add_test_fixtures name)
  cmake_parse_arguments(ARG "" "" "SOURCES;INCLUDE_JARS" ${ARGN})
  set(CMAKE_JAVA_COMPILE_FLAGS ${JAVA_TEST_COMPILE_FLAGS})
  add_jar(${name} SOURCES ${ARG_SOURCES} INCLUDE_JARS ${ARG_INCLUDE_JARS})
endfunction()

# add_junit_tests(<name> SOURCES <test sources...> [INCLUDE_JARS <jar targets or files...>]
#                 [JVM_OPTIONS <options...>] [APART_TAGS <tags...>])
# Compiles the tests into <name>.jar and registers one CTest test that runs
# every JUnit 5 test found in it through the console launcher, in a JVM
# started with the given options. Tests tagged with one of APART_TAGS, those
# that assume what not every machine gives, run in a CTest test of their own,
# <name>-<tag>, which is reported skipped when any of them was aborted and none
# failed: CTest would count an aborted JUnit test among the passed ones.
function(add_junit_tests name)
  cmake_parse_arguments(ARG "" "" "SOURCES;INCLUDE_JARS;JVM_OPTIONS;APART_TAGS" ${ARGN})
  set(CMAKE_JAVA_COMPILE_FLAGS ${JAVA_TEST_COMPILE_FLAGS})
  add_jar(${name} SOURCES ${ARG_SOURCES} INCLUDE_JARS ${ARG_INCLUDE_JARS} ${JUNIT_CONSOLE_JAR})
  get_target_property(test_jar ${name} JAR_FILE)
  set(class_path ${test_jar})
  foreach(jar IN LISTS ARG_INCLUDE_JARS)
    if(TARGET ${jar})
      get_target_property(jar ${jar} JAR_FILE)
    endif()
    list(APPEND class_path ${jar})
  endforeach()
  string(JOIN ":" class_path ${class_path})
  set(run_tests ${Java_JAVA_EXECUTABLE} ${ARG_JVM_OPTIONS} -jar ${JUNIT_CONSOLE_JAR}
      --disable-banner --details=tree --fail-if-no-tests
      --class-path ${class_path} --scan-class-path=${test_jar})
  set(excluded)
  foreach(tag IN LISTS ARG_APART_TAGS)
    list(APPEND excluded --exclude-tag=${tag})
    add_test(NAME ${name}-${tag} COMMAND ${run_tests} --include-tag=${tag})
    set_tests_properties(${name}-${tag} PROPERTIES ENVIRONMENT LC_ALL=C.UTF-8
      # Aborted, and no test nor container failed: the summary tells them in this order.
      SKIP_REGULAR_EXPRESSION "\\[ +0 containers failed +\\][^[]*(\\[[^]]*\\][^[]*)*\\[ +[1-9][0-9]* tests aborted +\\][^[]*\\[[^]]*\\][^[]*\\[ +0 tests failed +\\]")
  endforeach()
  add_test(NAME ${name} COMMAND ${run_tests} ${excluded})
  # The JVM on Linux takes the encoding of file names from the locale: the
  # tests use non-ASCII names, which a plain C locale cannot hold.
  set_tests_properties(${name} PROPERTIES ENVIRONMENT LC_ALL=C.UTF-8)
endfunction()
