# Sets up (MODE=start) or ends (MODE=stop) the Wine prefix PREFIX that one
# test run shares. Start keeps one wine server alive for the whole run, since
# Wine's first start in a prefix takes seconds, and makes the browser a
# program that does nothing, so that opening a web page neither hangs nor
# leaves a window behind.
include(${CMAKE_CURRENT_LIST_DIR}/WineEnvironment.cmake)
use_wine_environment(${PREFIX})

if(MODE STREQUAL "start")
  file(MAKE_DIRECTORY ${PREFIX})
  execute_process(COMMAND wineserver -k OUTPUT_QUIET ERROR_QUIET)
  # Wine leaves its server and services in the background: their output must
  # not hold a pipe open, or this script would wait for them.
  execute_process(COMMAND wineserver -p OUTPUT_FILE /dev/null ERROR_FILE /dev/null COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND wineboot -i OUTPUT_FILE /dev/null ERROR_FILE /dev/null COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND wine reg add "HKCU\\Software\\Wine\\WineBrowser" /v Browsers /t REG_SZ /d true /f
                  OUTPUT_FILE /dev/null ERROR_FILE /dev/null COMMAND_ERROR_IS_FATAL ANY)
else()
  execute_process(COMMAND wineserver -k OUTPUT_QUIET ERROR_QUIET)
endif()
