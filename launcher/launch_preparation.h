#pragma once
// Everything that happens before the runtime is started: the executable's own
// path, its settings, the choice of runtime and the runtime's arguments.

#include "launch_state.h"

// On false a message has already been printed. Leaves the module it opened in
// state.module, open or not, for the caller to release.
bool resolveLaunch(LaunchState& state);
