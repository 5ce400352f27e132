// The process entry on Windows. It takes the argument vector in UTF-16 from
// msvcrt.dll's own console start-up, with wildcard expansion off so that an
// argument such as *.mp3 arrives as typed, and ends the process with the
// launcher's result.

#include <stdlib.h>

#include "../launcher_main.h"

namespace {
struct StartupInfo {
    int newMode;
};
LaunchState launchState;
}  // namespace

extern "C" int __wgetmainargs(int* argumentCount, wchar_t*** arguments, wchar_t*** environment, int expandWildcards,
                              StartupInfo* startupInfo);

extern "C" __attribute__((force_align_arg_pointer)) void launcherStart() {
    int argumentCount = 0;
    wchar_t** arguments = nullptr;
    wchar_t** environment = nullptr;
    StartupInfo startupInfo = {0};
    if (__wgetmainargs(&argumentCount, &arguments, &environment, 0, &startupInfo) < 0) argumentCount = 0;
    exit(runLauncher(launchState, argumentCount, reinterpret_cast<platform::WideChar**>(arguments)));
}
