#include "runtime_home.h"

#include "fixed_text.h"

static const char kRuntimeExeSuffix[] = "\\bin\\java.exe";

bool appendRuntimeExe(char* home, size_t capacity) { return appendText(home, capacity, kRuntimeExeSuffix); }

bool runtimeUsable(LaunchState& state, const char* home) {
    if (isEmpty(home)) return false;
    char probe[kPathCapacity];
    if (!copyText(probe, home) || !appendRuntimeExe(probe, sizeof probe)) return false;
    long long size = 0;
    if (!platform::fileStatus(probe, &size)) return false;
    state.runtimeExeSize = size;
    return true;
}
