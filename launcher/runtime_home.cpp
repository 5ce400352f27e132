#include "runtime_home.h"

#include "fixed_text.h"
#include "system_text.h"

static const char kRuntimeExeSuffix[] = "\\bin\\java.exe";

bool appendRuntimeExe(char* home, size_t capacity) { return appendText(home, capacity, kRuntimeExeSuffix); }

bool takeRuntimeHome(LaunchState& state, const platform::WideChar* home, const char* subdir,
                     char (&destination)[kPathCapacity]) {
    char taken[kPartCapacity];
    const TakenText result = takeSystemText(home, taken);
    if (result == TakenText::tooLong) return false;
    if (result == TakenText::noShortName) {
        if (isEmpty(state.unpassableHome)) copyText(state.unpassableHome, taken);
        return false;
    }
    // A home that names nothing is taken as far as it can be shown: it is
    // then found to have no bin\java.exe.
    const size_t length = textLength(taken);
    if (length > 1 && taken[length - 1] == '\\' && taken[length - 2] != ':') taken[length - 1] = '\0';
    char program[kPathCapacity];
    return copyText(destination, taken) && appendText(destination, subdir) && copyText(program, destination) &&
           appendRuntimeExe(program, sizeof program);
}

bool runtimeUsable(LaunchState& state, const char* home) {
    if (isEmpty(home)) return false;
    char probe[kPathCapacity];
    if (!copyText(probe, home) || !appendRuntimeExe(probe, sizeof probe)) return false;
    long long size = 0;
    if (!platform::fileStatus(probe, &size)) return false;
    state.runtimeExeSize = size;
    return true;
}
