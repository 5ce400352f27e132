#include "launcher_main.h"

#include "command_line.h"
#include "console_pause.h"
#include "launch_messages.h"
#include "launch_preparation.h"
#include "runtime_start.h"

static int launch(LaunchState& state, int argumentCount, platform::WideChar** arguments) {
    state.wideArgumentCount = argumentCount > 1 ? argumentCount - 1 : 0;
    state.wideArguments = argumentCount > 1 ? arguments + 1 : nullptr;
    if (!joinArguments(state.wideArgumentCount, state.wideArguments, state.userArguments, sizeof state.userArguments,
                       &state.argumentsLost)) {
        reportTooLong(state, "The arguments are", sizeof state.userArguments);
        return 1;
    }
    const bool resolved = resolveLaunch(state);
    if (state.module != nullptr) platform::closeModule(state.module);
    state.module = nullptr;
    if (!resolved) return 1;
    return startRuntime(state);
}

int runLauncher(LaunchState& state, int argumentCount, platform::WideChar** arguments) {
    initLaunchState(state);
    const bool ownConsole = hasConsoleOfItsOwn();
    const int status = launch(state, argumentCount, arguments);
    if (ownConsole && state.pauseInOwnConsole) waitBeforeClosing(status);
    return status;
}
