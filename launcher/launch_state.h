#pragma once
// The launcher's one process-wide record. Every text is a zero-terminated
// 8-bit string in a field of fixed capacity (terminator included).

#include "platform/platform.h"

constexpr int kPathCapacity = 260;
constexpr int kVersionCapacity = 128;
constexpr int kTitleCapacity = 128;
constexpr int kPartCapacity = 1024;
constexpr int kArgumentStringCapacity = 2048;
// The started program's command line: the quoted program path, one blank and
// the argument string; sized so that every combination of its parts fits.
constexpr int kCommandLineCapacity = (kPathCapacity - 1) + 2 + 1 + (kArgumentStringCapacity - 1) + 1;

struct LaunchState {
    char messageTitle[kTitleCapacity];
    long long runtimeExeSize;  // size of the last runtime's bin\java.exe found usable
    int bestSource;            // registry key that gave bestVersion; 0 = none, -1 = the environment
    char lowestVersion[kVersionCapacity];
    char highestVersion[kVersionCapacity];
    char bestVersion[kVersionCapacity];
    char bestHome[kPathCapacity];  // the runtime home found with bestVersion
    // The first runtime home met whose name cannot be handed to Java (see
    // system_text.h), as far as it can be shown; empty = none.
    char unpassableHome[kPathCapacity];
    char workingDir[kPathCapacity];
    char runtimePath[kPathCapacity];  // the runtime's home, later the program to start
    char runtimeBin[kPathCapacity];   // the runtime's bin folder, where its libraries lie
    char argumentString[kArgumentStringCapacity];

    // Working texts of the launch preparation.
    char userArguments[kPartCapacity];
    // The user's arguments as they came in, after the program's name, and
    // whether any of them lost a character in userArguments.
    int wideArgumentCount;
    platform::WideChar* const* wideArguments;
    bool argumentsLost;
    char exePath[kPathCapacity];
    int exeNameStart;  // index of the last backslash in exePath
    bool nameProcessAfterExe;
    bool pauseInOwnConsole;
    char appArguments[kPartCapacity];
    char messageText[kPartCapacity];
    char commandLine[kCommandLineCapacity];
    platform::ModuleHandle module;
};

// Empties every field and sets the default title.
void initLaunchState(LaunchState& state);
