# The environment of every Wine run in the build, its tests, the demo and the benchmark: no debug
# output, and no offer to install Mono or Gecko when a new prefix starts.
#
# wine_environment(<prefix> <variable>): sets <variable> to the list of NAME=value entries for
#   that prefix, for a test's ENVIRONMENT or `cmake -E env`.
# use_wine_environment(<prefix>): puts the same variables into this script's environment
#   (for `cmake -P` scripts that run Wine themselves).
# C++ code gets the fixed part as WINE_DEBUG_SETTING and WINE_DLL_OVERRIDES, through
# wine_environment_definitions(<target>).

set(WINE_DEBUG_SETTING -all)
set(WINE_DLL_OVERRIDES "mscoree,mshtml=")

function(wine_environment prefix variable)
  set(${variable} WINEPREFIX=${prefix} WINEDEBUG=${WINE_DEBUG_SETTING} "WINEDLLOVERRIDES=${WINE_DLL_OVERRIDES}"
      PARENT_SCOPE)
endfunction()

macro(use_wine_environment prefix)
  set(ENV{WINEPREFIX} ${prefix})
  set(ENV{WINEDEBUG} ${WINE_DEBUG_SETTING})
  set(ENV{WINEDLLOVERRIDES} ${WINE_DLL_OVERRIDES})
endmacro()

function(wine_environment_definitions target)
  target_compile_definitions(${target} PRIVATE WINE_DEBUG_SETTING="${WINE_DEBUG_SETTING}"
                                               WINE_DLL_OVERRIDES="${WINE_DLL_OVERRIDES}")
endfunction()
