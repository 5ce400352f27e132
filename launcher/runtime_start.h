#pragma once

#include "launch_state.h"

// Starts the prepared program, waits for it and answers its exit status, or 1
// after reporting a start that failed.
int startRuntime(LaunchState& state);
