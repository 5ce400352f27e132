#pragma once
// Everything that happens before the runtime is started: the executable's own
// path, its settings, the choice of runtime and the runtime's arguments.

#include "launch_state.h"

// On false a message has already been printed. Leaves the module it opened in
// state.module, open or not, for the caller to release.
bool resolveLaunch(LaunchState& state);

// True when `home` holds bin\java.exe; records that file's size in runtimeExeSize.
bool runtimeUsable(LaunchState& state, const char* home);

// Appends "\bin\java.exe" to a runtime home.
bool appendRuntimeExe(char* home, size_t capacity);
