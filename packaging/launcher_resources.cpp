#include "launcher_resources.h"

#include <set>

#include "application_icon.h"
#include "file_access.h"
#include "launch_settings.h"
#include "launch_state.h"

namespace {

struct SettingKind {
    const char* name;
    int id;
    size_t capacity;  // the launcher's field, terminator included
};

// One setting a line, in the order of their ids.
// clang-format off
const SettingKind kSettings[] = {
    {"ShippedRuntimeDir", kShippedRuntimeDir, kPathCapacity},
    {"LowestVersion", kLowestVersion, kVersionCapacity},
    {"HighestVersion", kHighestVersion, kVersionCapacity},
    {"StartInExeDir", kStartInExeDir, kFlagCapacity},
    {"NameProcessAfterExe", kNameProcessAfterExe, kFlagCapacity},
    {"MessageTitle", kMessageTitle, kTitleCapacity},
    {"PauseInOwnConsole", kPauseInOwnConsole, kFlagCapacity},
    {"RuntimeOptions", kRuntimeOptions, kArgumentStringCapacity},
    {"AppArguments", kAppArguments, kPartCapacity},
};
// clang-format on

const SettingKind* settingNamed(const std::string& name) {
    for (const SettingKind& kind : kSettings) {
        if (name == kind.name) return &kind;
    }
    return nullptr;
}

}  // namespace

bool writeLauncherResources(const std::string& folder, const std::vector<std::string>& settings, bool allowOverlong,
                            const VersionInfo* versionInfo, std::string& error) {
    // Language 0x0400: neutral, default sub-language.
    std::string script = "LANGUAGE 0, 1\n";
    std::set<int> seen;
    for (const std::string& setting : settings) {
        const size_t equals = setting.find('=');
        const SettingKind* kind = equals == std::string::npos ? nullptr : settingNamed(setting.substr(0, equals));
        if (kind == nullptr) {
            error = "unknown setting (expected Name=text): " + setting;
            return false;
        }
        const std::string text = setting.substr(equals + 1);
        if (!seen.insert(kind->id).second) {
            error = std::string("setting given twice: ") + kind->name;
            return false;
        }
        if (text.find('\0') != std::string::npos || (text.size() >= kind->capacity && !allowOverlong)) {
            error = std::string("setting ") + kind->name + " must be at most " + std::to_string(kind->capacity - 1) +
                    " characters";
            return false;
        }
        const std::string dataFile = "setting-" + std::to_string(kind->id) + ".bin";
        if (!writeWholeFile(folder + "/" + dataFile, text + std::string(1, '\0'))) {
            error = "cannot write " + dataFile;
            return false;
        }
        script += std::to_string(kind->id) + " RCDATA \"" + dataFile + "\"\n";
    }
    if (!writeWholeFile(folder + "/application.ico", drawApplicationIcon())) {
        error = "cannot write application.ico";
        return false;
    }
    script += "132 ICON \"application.ico\"\n";
    if (versionInfo != nullptr) {
        std::string versionScript;
        if (!versionResourceScript(*versionInfo, versionScript, error)) return false;
        script += versionScript;
    }
    if (!writeWholeFile(folder + "/resources.rc", script)) {
        error = "cannot write resources.rc";
        return false;
    }
    return true;
}
