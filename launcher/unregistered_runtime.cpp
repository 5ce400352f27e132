#include "unregistered_runtime.h"

#include "fixed_text.h"
#include "runtime_home.h"
#include "runtime_search.h"

namespace {

const int kEnvironmentSource = -1;

bool startsWith(const char* text, const char* start) {
    while (*start != '\0' && *text == *start) {
        ++text;
        ++start;
    }
    return *start == '\0';
}

// Makes `home` the best runtime when it holds bin\java.exe and a release file
// whose version beats the best so far.
void consider(LaunchState& state, const char (&home)[kPathCapacity]) {
    char path[kPathCapacity];
    long long size = 0;
    if (!copyText(path, home) || !appendRuntimeExe(path, sizeof path) || !platform::fileStatus(path, &size)) return;
    // Every runtime since Java 8 names its version near the top of this file.
    char release[kArgumentStringCapacity];
    char version[kVersionCapacity];
    if (!copyText(path, home) || !appendText(path, "\\release") ||
        !platform::readFileStart(path, release, sizeof release) || !releaseVersion(release, version) ||
        !beatsBestVersion(state, version)) {
        return;
    }
    copyText(state.bestVersion, version);
    copyText(state.bestHome, home);
    state.bestSource = kEnvironmentSource;
}

bool isBackslash(platform::WideChar c) { return c == '\\'; }

size_t textLength16(const platform::WideChar* text) {
    size_t length = 0;
    while (text[length] != 0) ++length;
    return length;
}

// Cuts a folder named bin, in any letter case and with or without a trailing
// backslash, off the end of `folder` of `length` characters; false for a
// folder of another name.
bool cutBinFolder(platform::WideChar* folder, size_t length) {
    if (length > 0 && isBackslash(folder[length - 1])) --length;
    if (length < 5 || !isBackslash(folder[length - 4])) return false;
    for (int i = 0; i < 3; ++i) {
        if ((folder[length - 3 + i] | 0x20) != "bin"[i]) return false;
    }
    folder[length - 4] = 0;
    return true;
}

// Takes the entry of an environment variable that begins at `next` into
// `entry` as Command Prompt reads it: up to `separator` outside double quotes,
// without the quotes (an unbalanced one runs to the end). Answers where the
// next entry begins; `fits` is false for an entry too long for the field.
const platform::WideChar* takeEntry(const platform::WideChar* next, platform::WideChar separator,
                                    platform::WideChar (&entry)[kPartCapacity], bool* fits) {
    size_t length = 0;
    bool quoted = false;
    *fits = true;
    for (; *next != 0 && (quoted || *next != separator); ++next) {
        if (*next == '"') {
            quoted = !quoted;
        } else if (length + 1 < kPartCapacity) {
            entry[length++] = *next;
        } else {
            *fits = false;
        }
    }
    entry[length] = 0;
    return *next != 0 ? next + 1 : next;
}

void considerPathFolders(LaunchState& state) {
    const platform::WideChar* path = nullptr;
    if (!platform::environmentVariable("PATH", &path)) return;
    platform::WideChar folder[kPartCapacity];
    char home[kPathCapacity];
    bool fits = true;
    for (const platform::WideChar* next = path; *next != 0;) {
        // A folder too long for the field is passed over whole.
        next = takeEntry(next, ';', folder, &fits);
        if (fits && cutBinFolder(folder, textLength16(folder)) && takeRuntimeHome(state, folder, "", home))
            consider(state, home);
    }
}

}  // namespace

bool releaseVersion(const char* release, char (&version)[kVersionCapacity]) {
    static const char kKey[] = "JAVA_VERSION=\"";
    for (const char* line = release; *line != '\0';) {
        if (startsWith(line, kKey)) {
            const char* start = line + sizeof kKey - 1;
            const char* end = start;
            while (*end != '\0' && *end != '"' && *end != '\n' && *end != '\r') ++end;
            return *end == '"' && end != start &&
                   copyBytesAsText(version, sizeof version, start, static_cast<size_t>(end - start));
        }
        while (*line != '\0' && *line != '\n') ++line;
        if (*line == '\n') ++line;
    }
    return false;
}

bool findUnregisteredRuntime(LaunchState& state) {
    const platform::WideChar* javaHome = nullptr;
    platform::WideChar unquoted[kPartCapacity];
    char home[kPathCapacity];
    bool fits = false;
    if (platform::environmentVariable("JAVA_HOME", &javaHome)) takeEntry(javaHome, 0, unquoted, &fits);
    if (fits && takeRuntimeHome(state, unquoted, "", home)) consider(state, home);
    considerPathFolders(state);
    return state.bestSource != 0 && copyText(state.runtimePath, state.bestHome);
}
