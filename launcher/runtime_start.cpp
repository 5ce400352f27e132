#include "runtime_start.h"

#include "fixed_text.h"
#include "launch_messages.h"

int startRuntime(LaunchState& state) {
    // The command line's capacity holds the longest program path and argument string.
    copyText(state.commandLine, "\"");
    appendText(state.commandLine, state.runtimePath);
    appendText(state.commandLine, "\" ");
    appendText(state.commandLine, state.argumentString);

    if (!isEmpty(state.workingDir)) platform::changeDirectory(state.workingDir);
    platform::ignoreConsoleInterrupts();

    unsigned long exitCode = 0;
    char errorText[512];
    if (!platform::runProgram(state.runtimePath, state.commandLine, &exitCode, errorText, sizeof errorText)) {
        reportFailure(state, "could not start the application: ", errorText);
        return 1;
    }
    return static_cast<int>(exitCode);
}
