#pragma once

#include "launch_state.h"

// The launcher's whole run from its arguments to its exit status.
// The arguments are the program's name and the user's arguments, in UTF-16.
int runLauncher(LaunchState& state, int argumentCount, platform::WideChar** arguments);
