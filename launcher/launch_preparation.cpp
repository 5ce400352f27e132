#include "launch_preparation.h"

#include "command_line.h"
#include "fixed_text.h"
#include "launch_messages.h"
#include "launch_settings.h"
#include "runtime_copy.h"
#include "runtime_home.h"
#include "runtime_search.h"
#include "system_text.h"
#include "unregistered_runtime.h"

static const char kCannotDetermineExe[] = "Cannot determinate exe file name.";

static int lastBackslash(const char* path) {
    int index = -1;
    for (int i = 0; path[i] != '\0'; ++i) {
        if (path[i] == '\\') index = i;
    }
    return index;
}

// Reads an optional text setting; only a text too long for its field fails.
template <size_t N> static bool readOptionalSetting(LaunchState& state, int id, char (&field)[N]) {
    return readSetting(state.module, id, field) != SettingRead::tooLong || reportOverlongSetting(state, id, N);
}

static void useExeDirAsWorkingDir(LaunchState& state) {
    // A drive root keeps its backslash: "C:" alone would mean that drive's
    // current directory, not its root.
    const bool driveRoot = state.exeNameStart == 2 && state.exePath[1] == ':';
    const size_t length = static_cast<size_t>(state.exeNameStart) + (driveRoot ? 1 : 0);
    copyBytesAsText(state.workingDir, sizeof state.workingDir, state.exePath, length);
}

// A relative shipped runtime is meant relative to the directory the launcher
// was started in; fixing it now keeps the runtime that is probed and the one
// that is started the same after the change of working directory.
static bool settleShippedRuntime(LaunchState& state) {
    if (isEmpty(state.runtimePath)) return true;
    platform::WideChar wideAbsolute[kPartCapacity];
    char absolute[kPathCapacity];
    char probe[kPathCapacity];
    const TakenText taken = platform::absolutePath(state.runtimePath, wideAbsolute, kPartCapacity)
                                ? takeSystemText(wideAbsolute, absolute)
                                : TakenText::tooLong;
    if (taken == TakenText::tooLong || !copyText(probe, absolute) || !appendRuntimeExe(probe, sizeof probe)) {
        return reportFailure(state, "Path of the bundled JRE is too long: ", state.runtimePath);
    }
    if (taken == TakenText::noShortName) return reportUnpassableFolder(state, absolute);
    return copyText(state.runtimePath, absolute);
}

static bool settleRegisteredRuntime(LaunchState& state) {
    const SettingRead lowest = readSetting(state.module, kLowestVersion, state.lowestVersion);
    if (lowest == SettingRead::tooLong) return reportOverlongSetting(state, kLowestVersion, sizeof state.lowestVersion);
    if (lowest == SettingRead::absent) return reportFailure(state, "Cannot find bundled JRE or javaw.exe is missing.");
    if (!readOptionalSetting(state, kHighestVersion, state.highestVersion)) return false;
    if (!findRegisteredRuntime(state) && !findUnregisteredRuntime(state)) {
        if (!isEmpty(state.unpassableHome)) return reportUnpassableFolder(state, state.unpassableHome);
        copyText(state.messageText, "Cannot find Java ");
        appendText(state.messageText, state.lowestVersion);
        if (!isEmpty(state.highestVersion)) {
            appendText(state.messageText, " - ");
            appendText(state.messageText, state.highestVersion);
        }
        reportLine(state, state.messageText);
        openRuntimeDownloadPage();
        return false;
    }
    if (!runtimeUsable(state, state.runtimePath)) {
        return reportFailure(state, "Java found, but javaw.exe seems to be missing.");
    }
    return true;
}

// RuntimeOptions, "-jar", the executable's quoted path, AppArguments and the
// user's arguments, each part separated by one blank.
static bool buildArgumentString(LaunchState& state) {
    if (!readOptionalSetting(state, kAppArguments, state.appArguments)) return false;
    if (!readOptionalSetting(state, kRuntimeOptions, state.argumentString)) return false;
    char* arguments = state.argumentString;
    const size_t capacity = sizeof state.argumentString;
    bool fits = true;
    // Where the code page cannot hold the user's arguments, the application
    // takes them from a property that holds them exactly.
    if (state.argumentsLost) {
        fits = (isEmpty(arguments) || appendChar(arguments, capacity, ' ')) &&
               appendArgumentsProperty(state.wideArgumentCount, state.wideArguments, arguments, capacity);
    }
    if (fits && !isEmpty(arguments)) fits = appendChar(arguments, capacity, ' ');
    fits = fits && appendText(arguments, capacity, "-jar \"") && appendText(arguments, capacity, state.exePath) &&
           appendChar(arguments, capacity, '"');
    const char* const laterParts[] = {state.appArguments, state.userArguments};
    for (const char* part : laterParts) {
        if (!isEmpty(part))
            fits = fits && appendChar(arguments, capacity, ' ') && appendText(arguments, capacity, part);
    }
    if (!fits) return reportTooLong(state, "The command line is", capacity);
    return true;
}

// A short path names the executable by its short name as well. Its own name is
// kept where the code page holds it, so that the runtime's copy made with
// NameProcessAfterExe bears it.
static void keepExecutableName(LaunchState& state, const platform::WideChar* exePath) {
    const platform::WideChar* name = exePath;
    for (const platform::WideChar* c = exePath; *c != 0; ++c) {
        if (*c == '\\') name = c + 1;
    }
    const size_t folderLength = static_cast<size_t>(state.exeNameStart) + 1;
    char converted[kPathCapacity];
    if (platform::toCodePage(name, converted, sizeof converted) == platform::Conversion::exact) {
        copyText(state.exePath + folderLength, sizeof state.exePath - folderLength, converted);
    }
}

bool resolveLaunch(LaunchState& state) {
    platform::WideChar exePath[kPartCapacity];
    const TakenText taken =
        platform::executablePath(exePath, kPartCapacity) ? takeSystemText(exePath, state.exePath) : TakenText::tooLong;
    if (taken == TakenText::tooLong) return reportFailure(state, kCannotDetermineExe);
    state.exeNameStart = lastBackslash(state.exePath);
    if (state.exeNameStart < 0) return reportFailure(state, kCannotDetermineExe);
    if (!canBePassed(taken)) {
        state.exePath[state.exeNameStart] = '\0';
        return reportUnpassableFolder(state, state.exePath);
    }
    if (taken == TakenText::shortName) keepExecutableName(state, exePath);

    state.module = platform::openModule(state.exePath);
    if (state.module == nullptr) return reportFailure(state, "Cannot find file: ", state.exePath);
    // First, so that every failure after this one waits where it should.
    state.pauseInOwnConsole = readFlagSetting(state.module, kPauseInOwnConsole);

    if (!readOptionalSetting(state, kMessageTitle, state.messageTitle)) return false;
    if (readFlagSetting(state.module, kStartInExeDir)) useExeDirAsWorkingDir(state);
    state.nameProcessAfterExe = readFlagSetting(state.module, kNameProcessAfterExe);

    if (!readOptionalSetting(state, kShippedRuntimeDir, state.runtimePath)) return false;
    if (!settleShippedRuntime(state)) return false;
    if (!runtimeUsable(state, state.runtimePath) && !settleRegisteredRuntime(state)) return false;

    prepareRuntimeProgram(state);
    return buildArgumentString(state);
}
