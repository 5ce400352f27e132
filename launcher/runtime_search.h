#pragma once
// The search for a Java runtime registered in the Windows registry.

#include "launch_state.h"

// Looks through the registry keys of every known installer, under
// HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER, in both registry views, for the
// greatest version within lowestVersion..highestVersion (both inclusive, an
// empty highestVersion meaning no upper bound) whose home can be read. Among
// equal versions the first found is kept. On true, state.runtimePath holds
// that runtime's home directory, short enough to take "\bin\java.exe";
// whether that file exists is left to the caller.
bool findRegisteredRuntime(LaunchState& state);

// True when `version` lies within the range and above bestVersion, or is the
// first one within the range.
bool beatsBestVersion(const LaunchState& state, const char* version);
