// The stand-in runtimes' jli.dll (see standin_jli.h). Plain Windows calls
// only, so that it builds both with mingw-w64 and as a Winelib library.

#include "standin_jli.h"

#include <windows.h>

namespace {

void writeError(const char* text) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), text, static_cast<DWORD>(lstrlenA(text)), &written, nullptr);
}

// Cuts a path at its last backslash; false when it has none.
bool cutLastPart(char* path) {
    char* last = nullptr;
    for (char* c = path; *c != '\0'; ++c) {
        if (*c == '\\') last = c;
    }
    if (last == nullptr) return false;
    *last = '\0';
    return true;
}

// The running program's path in the code page, as a real java.exe gets it on Windows: there it
// is the path that the program was started by, which for a launcher that starts it under a name
// outside the code page is its short name. Wine gives the long name instead, so the short name
// is asked for where the long one does not survive the code page.
DWORD programPath(char* path) {
    WCHAR wide[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, wide, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 0;
    BOOL lost = FALSE;
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, path, MAX_PATH, nullptr, &lost) == 0) return 0;
    if (!lost) return length;
    WCHAR shortForm[MAX_PATH];
    const DWORD shortLength = GetShortPathNameW(wide, shortForm, MAX_PATH);
    if (shortLength == 0 || shortLength >= MAX_PATH) return 0;
    return WideCharToMultiByte(CP_ACP, 0, shortForm, -1, path, MAX_PATH, nullptr, nullptr) != 0 ? shortLength : 0;
}

}  // namespace

int findRuntimeHome(char* home, unsigned capacity) {
    char config[MAX_PATH + 16];
    const DWORD length = programPath(config);
    if (length == 0 || length >= MAX_PATH || !cutLastPart(config) || !cutLastPart(config) ||
        static_cast<unsigned>(lstrlenA(config)) >= capacity) {
        writeError("Error: could not find java.dll\r\n");
        return 0;
    }
    lstrcpyA(home, config);
    lstrcatA(config, "\\lib\\jvm.cfg");
    const DWORD attributes = GetFileAttributesA(config);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        writeError("Error: could not open `");
        writeError(config);
        writeError("'\r\n");
        return 0;
    }
    return 1;
}
