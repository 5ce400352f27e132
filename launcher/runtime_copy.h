#pragma once
// Turns the runtime's home directory in state.runtimePath into the path of
// the program to start: the home's "\bin\java.exe", or with
// NameProcessAfterExe a copy of it named like the executable, kept in the
// home's "tarvello-tmp", so that the runtime's process bears the
// application's name. Every failure on the way to the copy falls back to
// "\bin\java.exe" without a message.

#include "launch_state.h"

void prepareRuntimeProgram(LaunchState& state);
