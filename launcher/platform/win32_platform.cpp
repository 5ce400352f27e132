// The platform operations on Windows: the 8-bit Windows functions and msvcrt.dll, and the
// UTF-16 ones for the texts that come in from the system.

#include "platform.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <shellapi.h>
#include <stdlib.h>

namespace platform {

static bool fitsResult(DWORD length, size_t capacity) { return length != 0 && length < capacity; }

static wchar_t* wide(WideChar* text) { return reinterpret_cast<wchar_t*>(text); }
static const wchar_t* wide(const WideChar* text) { return reinterpret_cast<const wchar_t*>(text); }

// An ASCII name (of a value or a variable) in UTF-16.
static void widenName(const char* name, wchar_t (&destination)[32]) {
    int i = 0;
    for (; name[i] != '\0' && i < 31; ++i) destination[i] = static_cast<unsigned char>(name[i]);
    destination[i] = 0;
}

// An 8-bit text of the code page in UTF-16; false when it does not fit.
static bool widenText(const char* text, wchar_t* destination, size_t capacity) {
    return MultiByteToWideChar(CP_ACP, 0, text, -1, destination, static_cast<int>(capacity)) != 0;
}

bool shortPath(const WideChar* path, WideChar* destination, size_t capacity) {
    return fitsResult(GetShortPathNameW(wide(path), wide(destination), static_cast<DWORD>(capacity)), capacity);
}

bool executablePath(WideChar* destination, size_t capacity) {
    // A cut path comes back as exactly the capacity, which counts as failure.
    return fitsResult(GetModuleFileNameW(nullptr, wide(destination), static_cast<DWORD>(capacity)), capacity);
}

ModuleHandle openModule(const char* path) { return LoadLibraryA(path); }

void closeModule(ModuleHandle module) { FreeLibrary(static_cast<HMODULE>(module)); }

bool findSettingResource(ModuleHandle module, int id, const char** bytes, size_t* size) {
    const HMODULE handle = static_cast<HMODULE>(module);
    const HRSRC resource =
        FindResourceExA(handle, RT_RCDATA, MAKEINTRESOURCEA(id), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT));
    if (resource == nullptr) return false;
    const HGLOBAL loaded = LoadResource(handle, resource);
    if (loaded == nullptr) return false;
    const void* data = LockResource(loaded);
    if (data == nullptr) return false;
    *bytes = static_cast<const char*>(data);
    *size = SizeofResource(handle, resource);
    return true;
}

bool fileStatus(const char* path, long long* size) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return false;
    *size = (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

bool absolutePath(const char* path, WideChar* destination, size_t capacity) {
    // The current directory may hold names that the code page lacks.
    wchar_t widePath[MAX_PATH];
    return widenText(path, widePath, MAX_PATH) &&
           fitsResult(GetFullPathNameW(widePath, static_cast<DWORD>(capacity), wide(destination), nullptr), capacity);
}

bool readFileStart(const char* path, char* destination, size_t capacity) {
    const HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD read = 0;
    const bool done = ReadFile(file, destination, static_cast<DWORD>(capacity - 1), &read, nullptr) != 0;
    CloseHandle(file);
    destination[done ? read : 0] = '\0';
    return done;
}

bool makeDirectory(const char* path) { return CreateDirectoryA(path, nullptr) != 0; }

static bool copyFoundName(const WIN32_FIND_DATAA& data, char* name, size_t capacity) {
    size_t length = 0;
    while (data.cFileName[length] != '\0') ++length;
    if (length >= capacity) return false;
    for (size_t i = 0; i <= length; ++i) name[i] = data.cFileName[i];
    return true;
}

bool findNextFile(FileSearch search, char* name, size_t capacity) {
    WIN32_FIND_DATAA data;
    while (FindNextFileA(static_cast<HANDLE>(search), &data)) {
        if (copyFoundName(data, name, capacity)) return true;
    }
    return false;
}

FileSearch findFirstFile(const char* pattern, char* name, size_t capacity) {
    WIN32_FIND_DATAA data;
    const HANDLE search = FindFirstFileA(pattern, &data);
    if (search == INVALID_HANDLE_VALUE) return nullptr;
    if (copyFoundName(data, name, capacity) || findNextFile(search, name, capacity)) return search;
    FindClose(search);
    return nullptr;
}

void closeFileSearch(FileSearch search) { FindClose(static_cast<HANDLE>(search)); }

bool deleteFile(const char* path) { return DeleteFileA(path) != 0; }

bool copyFile(const char* source, const char* target) { return CopyFileA(source, target, FALSE) != 0; }

bool changeDirectory(const char* path) { return SetCurrentDirectoryA(path) != 0; }

bool openRegistryKey(RegistryRoot root, const char* path, RegistryView view, RegistryKey* key) {
    const HKEY rootKey = root == RegistryRoot::localMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    const REGSAM otherView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
    const REGSAM access = KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | (view == RegistryView::other ? otherView : 0);
    HKEY opened = nullptr;
    if (RegOpenKeyExA(rootKey, path, 0, access, &opened) != ERROR_SUCCESS) return false;
    *key = opened;
    return true;
}

SubKeyName registrySubKey(RegistryKey key, unsigned index, char* name, size_t capacity) {
    DWORD length = static_cast<DWORD>(capacity);
    FILETIME lastWrite;
    const LONG result =
        RegEnumKeyExA(static_cast<HKEY>(key), index, name, &length, nullptr, nullptr, nullptr, &lastWrite);
    if (result == ERROR_SUCCESS) return SubKeyName::found;
    return result == ERROR_MORE_DATA ? SubKeyName::tooLong : SubKeyName::end;
}

bool registryTextValue(RegistryKey key, const char* valueName, WideChar* destination, size_t capacity) {
    wchar_t name[32];
    widenName(valueName, name);
    // One character is held back so that a value stored without its terminator still gets one.
    wchar_t stored[1024];
    DWORD type = 0;
    DWORD size = sizeof stored - sizeof stored[0];
    if (RegQueryValueExW(static_cast<HKEY>(key), name, nullptr, &type, reinterpret_cast<BYTE*>(stored), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return false;
    }
    stored[size / sizeof stored[0]] = 0;
    if (type == REG_EXPAND_SZ) {
        // The length counts the terminator; zero means failure.
        const DWORD length = ExpandEnvironmentStringsW(stored, wide(destination), static_cast<DWORD>(capacity));
        return length != 0 && length <= capacity;
    }
    if (static_cast<size_t>(lstrlenW(stored)) >= capacity) return false;
    lstrcpyW(wide(destination), stored);
    return true;
}

bool registryNumberValue(RegistryKey key, const char* valueName, unsigned long* value) {
    DWORD type = 0;
    DWORD number = 0;
    DWORD size = sizeof number;
    if (RegQueryValueExA(static_cast<HKEY>(key), valueName, nullptr, &type, reinterpret_cast<BYTE*>(&number), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD) {
        return false;
    }
    *value = number;
    return true;
}

void closeRegistryKey(RegistryKey key) { RegCloseKey(static_cast<HKEY>(key)); }

static void describeError(DWORD error, char* text, size_t capacity) {
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                  static_cast<DWORD>(capacity), nullptr);
    if (length == 0) {
        char number[16];
        _ultoa(error, number, 10);
        lstrcpynA(text, "error ", static_cast<int>(capacity));
        lstrcatA(text, number);
        return;
    }
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' ')) --length;
    text[length] = '\0';
}

// The longest value an environment variable can hold, terminator included.
const DWORD kVariableCapacity = 32767;

bool environmentVariable(const char* name, const WideChar** value) {
    static wchar_t text[kVariableCapacity];
    wchar_t wideName[32];
    widenName(name, wideName);
    if (!fitsResult(GetEnvironmentVariableW(wideName, text, kVariableCapacity), kVariableCapacity)) return false;
    *value = reinterpret_cast<const WideChar*>(text);
    return true;
}

bool putFirstOnPath(const char* directory) {
    // PATH is read and written in UTF-16: through the 8-bit functions, its
    // folders named outside the code page would come back broken.
    static wchar_t path[kVariableCapacity];
    if (!widenText(directory, path, kVariableCapacity)) return false;
    const DWORD length = static_cast<DWORD>(lstrlenW(path));
    const DWORD room = kVariableCapacity - length - 1;
    const DWORD rest = GetEnvironmentVariableW(L"PATH", path + length + 1, room);
    if (rest >= room) return false;
    // Without a PATH, or with an empty one, the directory is all of it.
    if (rest != 0) path[length] = ';';
    return SetEnvironmentVariableW(L"PATH", path) != 0;
}

bool setLibraryFolder(const char* folder) {
    wchar_t wideFolder[MAX_PATH];
    return widenText(folder, wideFolder, MAX_PATH) && SetDllDirectoryW(wideFolder) != 0;
}

bool startProgramSuspended(const char* program, char* commandLine, Program* started, char* errorText,
                           size_t errorCapacity) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program, commandLine, nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                        &process)) {
        describeError(GetLastError(), errorText, errorCapacity);
        return false;
    }
    started->process = process.hProcess;
    started->thread = process.hThread;
    return true;
}

Job createKillOnCloseJob() {
    // The handle is not inheritable: one held by the runtime would keep the job
    // open after the launcher ended.
    const HANDLE job = CreateJobObjectA(nullptr, nullptr);
    if (job == nullptr) return nullptr;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
        CloseHandle(job);
        return nullptr;
    }
    return job;
}

bool assignToJob(Job job, const Program& program) {
    return AssignProcessToJobObject(static_cast<HANDLE>(job), static_cast<HANDLE>(program.process)) != 0;
}

void closeJob(Job job) { CloseHandle(static_cast<HANDLE>(job)); }

void resumeProgram(const Program& program) { ResumeThread(static_cast<HANDLE>(program.thread)); }

unsigned long waitForProgram(const Program& program) {
    CloseHandle(static_cast<HANDLE>(program.thread));
    WaitForSingleObject(static_cast<HANDLE>(program.process), INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(static_cast<HANDLE>(program.process), &code);
    CloseHandle(static_cast<HANDLE>(program.process));
    return code;
}

// During the last wait, the status the launcher ends with should Ctrl+C,
// Ctrl+Break or the console's closing end that wait.
static volatile bool waitingForLineEnd = false;
static volatile UINT statusAfterWait = 0;

static BOOL WINAPI passInterruptsOn(DWORD event) {
    // Windows would end the launcher with a status of its own.
    if (waitingForLineEnd) ExitProcess(statusAfterWait);
    return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT;
}

void ignoreConsoleInterrupts() {
    // A handler, unlike ignoring the events outright, is not inherited by the runtime.
    SetConsoleCtrlHandler(passInterruptsOn, TRUE);
}

ConsoleState consoleState() {
    DWORD processes[2];
    DWORD mode = 0;
    ConsoleState state;
    state.processes = GetConsoleProcessList(processes, 2);
    state.window = GetConsoleWindow() != nullptr;
    state.inputIsConsole = GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
    state.outputIsConsole = GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
    return state;
}

void emptyConsoleInput() { FlushConsoleInputBuffer(GetStdHandle(STD_INPUT_HANDLE)); }

void waitForLineEnd(int status) {
    statusAfterWait = static_cast<UINT>(status);
    waitingForLineEnd = true;
    SetConsoleCtrlHandler(passInterruptsOn, TRUE);
    // A whole line at a time: Wine's console drops the rest of a line that a
    // short read leaves.
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char line[256];
    DWORD read = 0;
    while (ReadFile(input, line, sizeof line, &read, nullptr) && read > 0) {
        for (DWORD i = 0; i < read; ++i) {
            if (line[i] == '\n') return;
        }
    }
}

static void writeOut(const char* text) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(lstrlenA(text)), &written, nullptr);
}

void printMessage(const char* title, const char* text) {
    // Written straight to the handle, with the line end that the C run-time's
    // text mode would make: its stdio would draw start-up code into the image.
    writeOut(title);
    writeOut(": ");
    writeOut(text);
    writeOut("\r\n");
}

void printLine(const char* text) {
    writeOut(text);
    writeOut("\r\n");
}

void openAddress(const char* address) {
    // shell32.dll is loaded only here, on the rare failing path: importing it
    // would cost every start more than a whole process start under some systems.
    const HMODULE shell = LoadLibraryA("shell32.dll");
    if (shell == nullptr) return;
    using ShellExecuteFunction = decltype(&ShellExecuteA);
    const auto shellExecute =
        reinterpret_cast<ShellExecuteFunction>(reinterpret_cast<void (*)()>(GetProcAddress(shell, "ShellExecuteA")));
    if (shellExecute != nullptr) shellExecute(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
    FreeLibrary(shell);
}

}  // namespace platform
