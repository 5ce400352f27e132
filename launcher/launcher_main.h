#pragma once

#include "launch_state.h"

// The launcher's whole run from its arguments to its exit status.
int runLauncher(LaunchState& state, int argumentCount, char** arguments);
