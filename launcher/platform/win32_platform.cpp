// The platform operations on Windows: the 8-bit Windows functions and msvcrt.dll.

#include "platform.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <shellapi.h>
#include <stdio.h>
#include <stdlib.h>

namespace platform {

static bool fitsResult(DWORD length, size_t capacity) { return length != 0 && length < capacity; }

bool executablePath(char* destination, size_t capacity) {
    // A cut path comes back as exactly the capacity, which counts as failure.
    return fitsResult(GetModuleFileNameA(GetModuleHandleA(nullptr), destination, static_cast<DWORD>(capacity)),
                      capacity);
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

bool absolutePath(const char* path, char* destination, size_t capacity) {
    return fitsResult(GetFullPathNameA(path, static_cast<DWORD>(capacity), destination, nullptr), capacity);
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

bool registryTextValue(RegistryKey key, const char* valueName, char* destination, size_t capacity) {
    // One byte is held back so that a value stored without its terminator still gets one.
    char stored[1024];
    DWORD type = 0;
    DWORD size = sizeof stored - 1;
    if (RegQueryValueExA(static_cast<HKEY>(key), valueName, nullptr, &type, reinterpret_cast<BYTE*>(stored), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return false;
    }
    stored[size] = '\0';
    if (type == REG_EXPAND_SZ) {
        // The length counts the terminator; zero means failure.
        const DWORD length = ExpandEnvironmentStringsA(stored, destination, static_cast<DWORD>(capacity));
        return length != 0 && length <= capacity;
    }
    if (static_cast<size_t>(lstrlenA(stored)) >= capacity) return false;
    lstrcpyA(destination, stored);
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

bool putFirstOnPath(const char* directory) {
    // The longest value an environment variable can hold, terminator included.
    static char path[32767];
    const size_t length = static_cast<size_t>(lstrlenA(directory));
    if (length + 1 >= sizeof path) return false;
    lstrcpyA(path, directory);
    const DWORD room = static_cast<DWORD>(sizeof path - length - 1);
    const DWORD rest = GetEnvironmentVariableA("PATH", path + length + 1, room);
    if (rest >= room) return false;
    // Without a PATH, or with an empty one, the directory is all of it.
    if (rest != 0) path[length] = ';';
    return SetEnvironmentVariableA("PATH", path) != 0;
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

static BOOL WINAPI passInterruptsOn(DWORD event) { return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT; }

void ignoreConsoleInterrupts() {
    // A handler, unlike ignoring the events outright, is not inherited by the runtime.
    SetConsoleCtrlHandler(passInterruptsOn, TRUE);
}

void printMessage(const char* title, const char* text) {
    fputs(title, stdout);
    fputs(": ", stdout);
    fputs(text, stdout);
    fputs("\n", stdout);
    fflush(stdout);
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
