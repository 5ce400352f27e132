#include "runtime_copy.h"

#include "launch_preparation.h"

void prepareRuntimeProgram(LaunchState& state) { appendRuntimeExe(state.runtimePath, sizeof state.runtimePath); }
