#include "launcher_main.h"

#include "command_line.h"
#include "launch_messages.h"
#include "launch_preparation.h"
#include "runtime_start.h"

int runLauncher(LaunchState& state, int argumentCount, char** arguments) {
    initLaunchState(state);
    if (!joinArguments(argumentCount, arguments, state.userArguments, sizeof state.userArguments)) {
        reportTooLong(state, "The arguments are", sizeof state.userArguments);
        return 1;
    }
    const bool resolved = resolveLaunch(state);
    if (state.module != nullptr) platform::closeModule(state.module);
    state.module = nullptr;
    if (!resolved) return 1;
    return startRuntime(state);
}
