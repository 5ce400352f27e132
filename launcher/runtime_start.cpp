#include "runtime_start.h"

#include "fixed_text.h"
#include "launch_messages.h"

namespace {

// Puts the runtime, before it runs, into a job that ends it and every program
// it starts as soon as the launcher ends, however the launcher ends. Where the
// launcher's own job does not allow that, the runtime runs untied, as it did
// before jobs existed. Answers the job, or null for an untied runtime.
platform::Job tieToLauncher(const platform::Program& runtime) {
    const platform::Job job = platform::createKillOnCloseJob();
    if (job == nullptr || platform::assignToJob(job, runtime)) return job;
    platform::closeJob(job);
    return nullptr;
}

}  // namespace

int startRuntime(LaunchState& state) {
    // The command line's capacity holds the longest program path and argument string.
    copyText(state.commandLine, "\"");
    appendText(state.commandLine, state.runtimePath);
    appendText(state.commandLine, "\" ");
    appendText(state.commandLine, state.argumentString);

    if (!isEmpty(state.workingDir)) platform::changeDirectory(state.workingDir);
    // A copy named after the executable lies outside bin: without this, Windows
    // would look for the runtime's libraries (jli.dll) in the current folder,
    // which is the user's, before PATH.
    platform::setLibraryFolder(state.runtimeBin);
    platform::ignoreConsoleInterrupts();

    platform::Program runtime;
    char errorText[512];
    if (!platform::startProgramSuspended(state.runtimePath, state.commandLine, &runtime, errorText, sizeof errorText)) {
        reportFailure(state, "could not start the application: ", errorText);
        return 1;
    }
    const platform::Job job = tieToLauncher(runtime);
    platform::resumeProgram(runtime);
    const unsigned long exitCode = platform::waitForProgram(runtime);
    if (job != nullptr) platform::closeJob(job);
    return static_cast<int>(exitCode);
}
