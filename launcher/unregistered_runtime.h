#pragma once
// The last places to look for a Java runtime, for one that no installer
// registered: unpacked from an archive, or put under the user's folder by a
// package manager or an IDE, which set JAVA_HOME and PATH instead.

#include "launch_state.h"

// Looks at the home that JAVA_HOME names, then at the parent of every folder
// on PATH, in order, that is named bin. A home counts when it holds
// bin\java.exe and a release file with its version (JAVA_VERSION="17.0.13").
// Keeps the greatest version within the range, the first found among equals,
// as the registry search does; on true, state.runtimePath holds its home.
bool findUnregisteredRuntime(LaunchState& state);

// The JAVA_VERSION value in the text of a runtime's release file; false when
// the text has none, or it is empty or not between double quotes.
bool releaseVersion(const char* release, char (&version)[kVersionCapacity]);
