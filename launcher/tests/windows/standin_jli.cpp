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

}  // namespace

int findRuntimeHome(char* home, unsigned capacity) {
    char config[MAX_PATH + 16];
    const DWORD length = GetModuleFileNameA(nullptr, config, MAX_PATH);
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
