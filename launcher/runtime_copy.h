#pragma once
// Turns the runtime's home directory in state.runtimePath into the path of
// the program to start.

#include "launch_state.h"

void prepareRuntimeProgram(LaunchState& state);
