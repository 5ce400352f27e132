// The process entry on Windows. It takes the argument vector from msvcrt.dll's
// own console start-up, with wildcard expansion off so that an argument such
// as *.mp3 arrives as typed, and ends the process with the launcher's result.

#include <stdlib.h>

#include "../launcher_main.h"

namespace {
struct StartupInfo {
    int newMode;
};
LaunchState launchState;
}  // namespace

extern "C" int __getmainargs(int* argumentCount, char*** arguments, char*** environment, int expandWildcards,
                             StartupInfo* startupInfo);

extern "C" __attribute__((force_align_arg_pointer)) void launcherStart() {
    int argumentCount = 0;
    char** arguments = nullptr;
    char** environment = nullptr;
    StartupInfo startupInfo = {0};
    if (__getmainargs(&argumentCount, &arguments, &environment, 0, &startupInfo) < 0) argumentCount = 0;
    exit(runLauncher(launchState, argumentCount, arguments));
}
