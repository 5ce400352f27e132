#pragma once
// Settings stored as RCDATA resources inside the launcher's own executable:
// each one is its text followed by one zero byte.

#include "platform/platform.h"

enum SettingId {
    kShippedRuntimeDir = 101,
    kLowestVersion = 102,
    kHighestVersion = 103,
    kStartInExeDir = 109,
    kNameProcessAfterExe = 110,
    kMessageTitle = 111,
    kPauseInOwnConsole = 112,
    kRuntimeOptions = 201,
    kAppArguments = 202,
};

enum class SettingRead { absent, read, tooLong };

// Copies the setting's text (up to its first zero byte, or the resource's end
// when it has none) into `destination`. The destination stays untouched when
// the setting is absent or its text does not fit.
SettingRead readSetting(platform::ModuleHandle module, int id, char* destination, size_t capacity);

template <size_t N> SettingRead readSetting(platform::ModuleHandle module, int id, char (&destination)[N]) {
    return readSetting(module, id, destination, N);
}

// The field a flag setting is read into: any text of ten or more characters
// cannot be "true", so the short field loses nothing.
constexpr int kFlagCapacity = 10;

// True only when the setting's text is "true" in any letter case.
bool readFlagSetting(platform::ModuleHandle module, int id);
