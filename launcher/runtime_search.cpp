#include "runtime_search.h"

#include "fixed_text.h"
#include "runtime_home.h"
#include "version_order.h"

namespace {

// One registry key under which installers register runtimes, one sub-key per
// runtime, and how to read a runtime's version and home there.
struct RegistrySource {
    const char* key;
    // The home is the value `homeValue` in the runtime's sub-key, or, when
    // `homeDepth` is 2, in a sub-key two levels further down
    // (<version>\<jvm>\<installer>, such as 17.0.9.9\hotspot\MSI).
    const char* homeValue;
    int homeDepth;
    // The sub-key is named after the product (zulu-17, jre-8) and holds the
    // version as numbers, rather than being named by the version.
    bool versionInNumbers;
    const char* runtimeSubdir;  // where the runtime lies below the registered home
};

// Source numbers are positions in this list, counted from 1; the list is the
// order of search, so that among equal versions the earlier source wins. The
// older JavaSoft keys hold versions such as 1.4.2 or 1.8.0_301, the current
// ones versions such as 17 or 21.0.2; only the older development kit
// registers the kit's own home, with its runtime in "\jre". Most installers
// of today write only keys of their own, with four-part versions such as
// 17.0.9.9 or 8.0.392.8.
const RegistrySource kSources[] = {
    {"SOFTWARE\\JavaSoft\\Java Runtime Environment", "JavaHome", 0, false, ""},
    {"SOFTWARE\\JavaSoft\\Java Development Kit", "JavaHome", 0, false, "\\jre"},
    {"SOFTWARE\\JavaSoft\\JRE", "JavaHome", 0, false, ""},
    {"SOFTWARE\\JavaSoft\\JDK", "JavaHome", 0, false, ""},
    {"SOFTWARE\\Eclipse Adoptium\\JRE", "Path", 2, false, ""},
    {"SOFTWARE\\Eclipse Adoptium\\JDK", "Path", 2, false, ""},
    {"SOFTWARE\\AdoptOpenJDK\\JRE", "Path", 2, false, ""},
    {"SOFTWARE\\AdoptOpenJDK\\JDK", "Path", 2, false, ""},
    {"SOFTWARE\\Eclipse Foundation\\JDK", "Path", 2, false, ""},
    {"SOFTWARE\\Eclipse Foundation\\JRE", "Path", 2, false, ""},
    {"SOFTWARE\\Semeru\\JRE", "Path", 2, false, ""},
    {"SOFTWARE\\Semeru\\JDK", "Path", 2, false, ""},
    {"SOFTWARE\\Microsoft\\JDK", "Path", 2, false, ""},
    {"SOFTWARE\\Azul Systems\\Zulu", "InstallationPath", 0, true, ""},
    {"SOFTWARE\\Azul Systems\\Zulu 32-bit", "InstallationPath", 0, true, ""},
    {"SOFTWARE\\BellSoft\\Liberica", "InstallationPath", 0, true, ""},
};
constexpr int kSourceCount = sizeof kSources / sizeof kSources[0];

// Machine-wide installs register under HKEY_LOCAL_MACHINE, per-user installs
// under HKEY_CURRENT_USER. A 32-bit launcher on 64-bit Windows sees only the
// 32-bit view by itself, where no 64-bit runtime is registered; so both views
// are read.
const platform::RegistryRoot kRoots[] = {platform::RegistryRoot::localMachine, platform::RegistryRoot::currentUser};
const platform::RegistryView kViews[] = {platform::RegistryView::own, platform::RegistryView::other};

// Where one source is being read.
struct RegistryPlace {
    const RegistrySource& source;
    platform::RegistryRoot root;
    platform::RegistryView view;
};

using KeyPath = char[kPartCapacity];

bool openKey(const RegistryPlace& place, const char* path, platform::RegistryKey* key) {
    return platform::openRegistryKey(place.root, path, place.view, key);
}

// Appends a backslash and a sub-key name to a key path.
bool appendSubKey(KeyPath& path, const char* name) { return appendChar(path, '\\') && appendText(path, name); }

// Reads the home registered under `path`, or under the first sub-key `depth`
// levels below it that holds a readable one.
bool readHome(LaunchState& state, const RegistryPlace& place, KeyPath& path, int depth, char (&home)[kPathCapacity]) {
    platform::RegistryKey key = nullptr;
    if (!openKey(place, path, &key)) return false;
    bool found = false;
    if (depth == 0) {
        platform::WideChar registeredHome[kPartCapacity];
        found = platform::registryTextValue(key, place.source.homeValue, registeredHome, kPartCapacity) &&
                takeRuntimeHome(state, registeredHome, place.source.runtimeSubdir, home);
    } else {
        const size_t pathLength = textLength(path);
        char name[kVersionCapacity];
        for (unsigned index = 0; !found; ++index) {
            const platform::SubKeyName result = platform::registrySubKey(key, index, name, sizeof name);
            if (result == platform::SubKeyName::end) break;
            found = result == platform::SubKeyName::found && appendSubKey(path, name) &&
                    readHome(state, place, path, depth - 1, home);
            path[pathLength] = '\0';
        }
    }
    platform::closeRegistryKey(key);
    return found;
}

// The version of a sub-key named after its product: its numbers "MajorVersion",
// "MinorVersion" and a patch or build number as far as present, otherwise the
// name itself, whose digits the version order reads.
void readProductVersion(const RegistryPlace& place, const char* path, const char* name,
                        char (&version)[kVersionCapacity]) {
    copyText(version, name);
    platform::RegistryKey key = nullptr;
    if (!openKey(place, path, &key)) return;
    const char* const numberNames[][2] = {
        {"MajorVersion", nullptr}, {"MinorVersion", nullptr}, {"PatchVersion", "BuildNumber"}};
    char numbers[kVersionCapacity] = "";
    for (const auto& names : numberNames) {
        unsigned long number = 0;
        if (!platform::registryNumberValue(key, names[0], &number) &&
            !(names[1] != nullptr && platform::registryNumberValue(key, names[1], &number))) {
            break;
        }
        if (!isEmpty(numbers)) appendChar(numbers, '.');
        appendNumber(numbers, number);
    }
    if (!isEmpty(numbers)) copyText(version, numbers);
    platform::closeRegistryKey(key);
}

// Scans the runtimes registered under one source in one root and view, and
// keeps in bestVersion/bestHome/bestSource the greatest version in range whose
// home can be read.
void scanSource(LaunchState& state, int sourceNumber, platform::RegistryRoot root, platform::RegistryView view) {
    const RegistryPlace place = {kSources[sourceNumber - 1], root, view};
    platform::RegistryKey key = nullptr;
    if (!openKey(place, place.source.key, &key)) return;
    // Names that do not fit bestVersion come back as too long and are passed over.
    char name[kVersionCapacity];
    for (unsigned index = 0;; ++index) {
        const platform::SubKeyName result = platform::registrySubKey(key, index, name, sizeof name);
        if (result == platform::SubKeyName::end) break;
        KeyPath path;
        if (result != platform::SubKeyName::found || !copyText(path, place.source.key) || !appendSubKey(path, name)) {
            continue;
        }
        char version[kVersionCapacity];
        if (place.source.versionInNumbers) {
            readProductVersion(place, path, name, version);
        } else {
            copyText(version, name);
        }
        // The first runtime in range is taken; an equal version found later does not replace it.
        char home[kPathCapacity];
        if (beatsBestVersion(state, version) && readHome(state, place, path, place.source.homeDepth, home)) {
            copyText(state.bestVersion, version);
            copyText(state.bestHome, home);
            state.bestSource = sourceNumber;
        }
    }
    platform::closeRegistryKey(key);
}

}  // namespace

bool beatsBestVersion(const LaunchState& state, const char* version) {
    return compareVersions(version, state.lowestVersion) >= 0 &&
           (isEmpty(state.highestVersion) || compareVersions(version, state.highestVersion) <= 0) &&
           (state.bestSource == 0 || compareVersions(version, state.bestVersion) > 0);
}

bool findRegisteredRuntime(LaunchState& state) {
    state.bestVersion[0] = '\0';
    state.bestSource = 0;
    for (int source = 1; source <= kSourceCount; ++source) {
        for (const platform::RegistryRoot root : kRoots) {
            for (const platform::RegistryView view : kViews) scanSource(state, source, root, view);
        }
    }
    return state.bestSource != 0 && copyText(state.runtimePath, state.bestHome);
}
