#pragma once
// The search for a Java runtime registered in the Windows registry.

#include "launch_state.h"

// On true, state.runtimePath holds the chosen runtime's home directory.
bool findRegisteredRuntime(LaunchState& state);
