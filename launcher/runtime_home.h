#pragma once
// A Java runtime's home directory and the program in it that the launcher starts.

#include "launch_state.h"

// Appends "\bin\java.exe" to a runtime home.
bool appendRuntimeExe(char* home, size_t capacity);

// Takes a runtime home that came in from the system (registry, environment)
// into `destination`: without a trailing backslash (a drive's root keeps
// it), followed by `subdir`, short enough to take "\bin\java.exe". False
// when it does not fit, and when it names a folder whose name cannot be
// handed to Java, the first of which is kept in state.unpassableHome.
bool takeRuntimeHome(LaunchState& state, const platform::WideChar* home, const char* subdir,
                     char (&destination)[kPathCapacity]);

// True when `home` holds bin\java.exe; records that file's size in runtimeExeSize.
bool runtimeUsable(LaunchState& state, const char* home);
