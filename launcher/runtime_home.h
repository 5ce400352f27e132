#pragma once
// A Java runtime's home directory and the program in it that the launcher starts.

#include "launch_state.h"

// Appends "\bin\java.exe" to a runtime home.
bool appendRuntimeExe(char* home, size_t capacity);

// True when `home` holds bin\java.exe; records that file's size in runtimeExeSize.
bool runtimeUsable(LaunchState& state, const char* home);
