#include "console_pause.h"

bool hasConsoleOfItsOwn() {
    // A shell, a script or a terminal that started the launcher shares its
    // console and stays, as does a redirected input or output.
    const platform::ConsoleState console = platform::consoleState();
    return console.processes == 1 && console.window && console.inputIsConsole && console.outputIsConsole;
}

void waitBeforeClosing(int status) {
    // A key pressed while the runtime ran must not close the window unread.
    platform::emptyConsoleInput();
    platform::printLine("Press Enter to close this window.");
    platform::waitForLineEnd(status);
}
