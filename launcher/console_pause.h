#pragma once
// Started from Explorer (a double click, a folder dropped on the executable,
// a shortcut), the launcher gets a console of its own, which Windows closes
// the moment it ends; with PauseInOwnConsole it waits for Enter first, so that
// the output can be read.

#include "launch_state.h"

// True when the launcher is alone on a console that has a window and holds
// its standard input and output; asked once, before the runtime shares it.
bool hasConsoleOfItsOwn();

// Empties the console's input, asks for Enter and waits for it (or for the
// input's end); `status` is what the launcher ends with.
void waitBeforeClosing(int status);
