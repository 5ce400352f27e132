#include "runtime_copy.h"

#include "fixed_text.h"
#include "runtime_home.h"

namespace {

const char kCopyDirName[] = "\\tarvello-tmp";

// `first`, a backslash and `second` in a path field; false when it would not fit.
bool joinPath(char (&destination)[kPathCapacity], const char* first, const char* second) {
    return copyText(destination, first) && appendChar(destination, '\\') && appendText(destination, second);
}

// Deletes every executable in the copy folder, whichever launcher left it
// there; a copy that still runs cannot be deleted and stays.
void deleteOldCopies(const char* copyDir) {
    char pattern[kPathCapacity];
    char name[kPathCapacity];
    char path[kPathCapacity];
    if (!joinPath(pattern, copyDir, "*.exe")) return;
    const platform::FileSearch search = platform::findFirstFile(pattern, name, sizeof name);
    if (search == nullptr) return;
    do {
        if (joinPath(path, copyDir, name)) platform::deleteFile(path);
    } while (platform::findNextFile(search, name, sizeof name));
    platform::closeFileSearch(search);
}

// Makes the copy and points runtimePath at it; false, with runtimePath
// unchanged, when the copy cannot be used. Every path is formed before
// anything is touched, so a path too long to form leaves no trace.
bool useCopyNamedAfterExe(LaunchState& state) {
    const char* exeName = state.exePath + state.exeNameStart + 1;
    char copyDir[kPathCapacity];
    char sourceExe[kPathCapacity];
    char targetExe[kPathCapacity];
    if (!copyText(copyDir, state.runtimePath) || !appendText(copyDir, kCopyDirName) ||
        !joinPath(targetExe, copyDir, exeName) || !copyText(sourceExe, state.runtimePath) ||
        !appendRuntimeExe(sourceExe, sizeof sourceExe)) {
        return false;
    }

    long long size = 0;
    if (platform::fileStatus(copyDir, &size)) {
        deleteOldCopies(copyDir);
    } else if (!platform::makeDirectory(copyDir)) {
        return false;
    }
    // A copy that could not be replaced, typically because an earlier start
    // still runs it, is reused when its size is still that of java.exe.
    if (!platform::copyFile(sourceExe, targetExe) &&
        !(platform::fileStatus(targetExe, &size) && size == state.runtimeExeSize)) {
        return false;
    }
    // java.exe since Java 7 needs the libraries beside it in bin (jli.dll),
    // which Windows looks for beside the program and on PATH, not in ..\bin.
    return platform::putFirstOnPath(state.runtimeBin) && copyText(state.runtimePath, targetExe);
}

}  // namespace

void prepareRuntimeProgram(LaunchState& state) {
    // The runtime check has made sure that "\bin\java.exe" fits behind the home.
    joinPath(state.runtimeBin, state.runtimePath, "bin");
    if (!state.nameProcessAfterExe || !useCopyNamedAfterExe(state)) {
        appendRuntimeExe(state.runtimePath, sizeof state.runtimePath);
    }
}
