#pragma once
// The search for a Java runtime registered in the Windows registry.

#include "launch_state.h"

// Scans the version sub-keys of one open registry key (source 1 to 4, seen
// through `view`) and keeps in bestVersion/bestSource/bestView the greatest
// name within lowestVersion..highestVersion, both inclusive, an empty
// highestVersion meaning no upper bound. Names are ordered as versions, their
// digit runs by value; a name equal to the best so far does not replace it.
void scanVersionKeys(LaunchState& state, platform::RegistryKey key, int source, platform::RegistryView view);

// On true, state.runtimePath holds the chosen runtime's home directory, short
// enough to take "\bin\java.exe". Whether that file exists is left to the caller.
bool findRegisteredRuntime(LaunchState& state);
