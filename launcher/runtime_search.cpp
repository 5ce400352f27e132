#include "runtime_search.h"

#include "fixed_text.h"
#include "launch_preparation.h"

namespace {

struct RegistrySource {
    const char* key;
    const char* runtimeSubdir;  // where the runtime lies below the registered "JavaHome"
};

// Source numbers are positions in this list, counted from 1. The older keys
// hold versions such as 1.4.2 or 1.8.0_301; installers since version 9 use
// the last two, with versions such as 17 or 21.0.2. Only the older
// development kit registers the kit's own home, with its runtime in "\jre".
const RegistrySource kSources[] = {
    {"SOFTWARE\\JavaSoft\\Java Runtime Environment", ""},
    {"SOFTWARE\\JavaSoft\\Java Development Kit", "\\jre"},
    {"SOFTWARE\\JavaSoft\\JRE", ""},
    {"SOFTWARE\\JavaSoft\\JDK", ""},
};
constexpr int kSourceCount = sizeof kSources / sizeof kSources[0];

// A 32-bit launcher on 64-bit Windows sees only the 32-bit view by itself,
// where no 64-bit runtime is registered; so both views are read.
const platform::RegistryView kViews[] = {platform::RegistryView::own, platform::RegistryView::other};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Orders version texts character by character, except that runs of digits
// compare by their value: 1.8.0_301 is above 1.8.0_45, 17 above 9.0.4 and
// 1.10 above 1.9, where a plain byte-wise comparison would pick the older
// runtime. A text that begins another sorts below it (1.4 below 1.4.0).
int compareVersions(const char* left, const char* right) {
    while (*left != '\0' && *right != '\0') {
        if (isDigit(*left) && isDigit(*right)) {
            while (*left == '0') ++left;
            while (*right == '0') ++right;
            size_t leftDigits = 0;
            size_t rightDigits = 0;
            while (isDigit(left[leftDigits])) ++leftDigits;
            while (isDigit(right[rightDigits])) ++rightDigits;
            if (leftDigits != rightDigits) return leftDigits < rightDigits ? -1 : 1;
            for (size_t i = 0; i < leftDigits; ++i) {
                if (left[i] != right[i]) return left[i] < right[i] ? -1 : 1;
            }
            left += leftDigits;
            right += rightDigits;
        } else {
            if (*left != *right) return static_cast<unsigned char>(*left) < static_cast<unsigned char>(*right) ? -1 : 1;
            ++left;
            ++right;
        }
    }
    return *left == *right ? 0 : (*left == '\0' ? -1 : 1);
}

bool withinRange(const LaunchState& state, const char* version) {
    return compareVersions(version, state.lowestVersion) >= 0 &&
           (isEmpty(state.highestVersion) || compareVersions(version, state.highestVersion) <= 0);
}

// Takes the registered home (and the sub-directory of its runtime) as the
// runtime's home, unless the program path below it would not fit a path field.
bool takeHome(LaunchState& state, const char* registeredHome, const char* runtimeSubdir) {
    char home[kPathCapacity];
    char program[kPathCapacity];
    return copyText(home, registeredHome) && appendText(home, runtimeSubdir) && copyText(program, home) &&
           appendRuntimeExe(program, sizeof program) && copyText(state.runtimePath, home);
}

bool readBestHome(LaunchState& state) {
    const RegistrySource& source = kSources[state.bestSource - 1];
    char keyPath[kPartCapacity];
    char registeredHome[kPartCapacity];
    // A key name and a version of at most 127 characters always fit.
    copyText(keyPath, source.key);
    appendChar(keyPath, '\\');
    appendText(keyPath, state.bestVersion);
    platform::RegistryKey key = nullptr;
    if (!platform::openRegistryKey(keyPath, state.bestView, &key)) return false;
    const bool taken = platform::registryTextValue(key, "JavaHome", registeredHome, sizeof registeredHome) &&
                       takeHome(state, registeredHome, source.runtimeSubdir);
    platform::closeRegistryKey(key);
    return taken;
}

}  // namespace

void scanVersionKeys(LaunchState& state, platform::RegistryKey key, int source, platform::RegistryView view) {
    // Names that do not fit bestVersion come back as too long and are passed over.
    char name[kVersionCapacity];
    for (unsigned index = 0;; ++index) {
        const platform::SubKeyName result = platform::registrySubKey(key, index, name, sizeof name);
        if (result == platform::SubKeyName::end) return;
        if (result == platform::SubKeyName::found && withinRange(state, name) &&
            compareVersions(name, state.bestVersion) > 0) {
            copyText(state.bestVersion, name);
            state.bestSource = source;
            state.bestView = view;
        }
    }
}

bool findRegisteredRuntime(LaunchState& state) {
    state.bestVersion[0] = '\0';
    state.bestSource = 0;
    // Each key in the process's own view, then in the other, before the next
    // key. As equal names never replace the best, the runtime environment
    // wins over a development kit of the same version whichever views they
    // are in, and the own view wins over the other within one key.
    for (int source = 1; source <= kSourceCount; ++source) {
        for (const platform::RegistryView view : kViews) {
            platform::RegistryKey key = nullptr;
            if (!platform::openRegistryKey(kSources[source - 1].key, view, &key)) continue;
            scanVersionKeys(state, key, source, view);
            platform::closeRegistryKey(key);
        }
    }
    return state.bestSource != 0 && readBestHome(state);
}
