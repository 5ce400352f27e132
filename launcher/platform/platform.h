#pragma once
// Every operation of Windows and its C run-time that the launcher uses.
// The launcher's logic calls nothing else, so it runs unchanged against the
// real system (win32_platform.cpp) and against an in-memory fake in tests.
// Texts are zero-terminated 8-bit strings in the system's code page, except
// the UTF-16 texts that come in from the system (WideChar), which the logic
// converts once with toCodePage. Every destination comes with its capacity
// (terminator included) and is never written past it.

#include <stddef.h>

namespace platform {

using ModuleHandle = void*;
using RegistryKey = void*;
using FileSearch = void*;
using WideChar = char16_t;

enum class Conversion { exact, lossy, tooLong };
// Converts a UTF-16 text into the system's 8-bit code page without best-fit
// mapping: a character that the code page lacks becomes '?' (not a look-alike
// such as 'a' for 'ă') and the answer is lossy. The capacity is at most 1024.
Conversion toCodePage(const WideChar* text, char* destination, size_t capacity);
// The short (8.3) form of an existing file's or folder's path. On a volume
// that keeps no short names it is the path itself; false when the path does
// not exist or its short form does not fit.
bool shortPath(const WideChar* path, WideChar* destination, size_t capacity);

// The running executable's full path; false when it cannot be had or does not fit.
bool executablePath(WideChar* destination, size_t capacity);

// Opens an executable file as a module whose resources can be looked up; null on failure.
ModuleHandle openModule(const char* path);
void closeModule(ModuleHandle module);
// Finds the RCDATA resource `id` (neutral language) and gives read access to
// its bytes while the module stays open.
bool findSettingResource(ModuleHandle module, int id, const char** bytes, size_t* size);

// True when the path names an existing file or directory; then its size in bytes.
bool fileStatus(const char* path, long long* size);
// The absolute form of a path, resolved against the current directory.
bool absolutePath(const char* path, WideChar* destination, size_t capacity);
// Reads the first bytes of a file, at most capacity - 1 of them, and ends them
// with a zero byte; false when the file cannot be read.
bool readFileStart(const char* path, char* destination, size_t capacity);
bool makeDirectory(const char* path);
// Lists files matching a wildcard pattern, one bare name at a time. A name that
// does not fit is passed over. Returns null when nothing matches.
FileSearch findFirstFile(const char* pattern, char* name, size_t capacity);
bool findNextFile(FileSearch search, char* name, size_t capacity);
void closeFileSearch(FileSearch search);
bool deleteFile(const char* path);
// Copies a file, replacing an existing target.
bool copyFile(const char* source, const char* target);
bool changeDirectory(const char* path);

// Registry keys under HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER, seen through
// this process's own view or through the other one (32-bit against 64-bit).
enum class RegistryRoot { localMachine, currentUser };
enum class RegistryView { own, other };
enum class SubKeyName { found, tooLong, end };
bool openRegistryKey(RegistryRoot root, const char* path, RegistryView view, RegistryKey* key);
SubKeyName registrySubKey(RegistryKey key, unsigned index, char* name, size_t capacity);
// A text value, stored as plain text or as text with environment variables
// (which are expanded); false when it is missing, of another type, or its
// text does not fit.
bool registryTextValue(RegistryKey key, const char* valueName, WideChar* destination, size_t capacity);
// A 32-bit number value; false when it is missing or of another type.
bool registryNumberValue(RegistryKey key, const char* valueName, unsigned long* value);
void closeRegistryKey(RegistryKey key);

// The value of an environment variable, readable until the next call; false
// when the variable is not set.
bool environmentVariable(const char* name, const WideChar** value);

// Puts `directory` first on the PATH of the launcher's own environment, which
// the programs it starts inherit; false, with PATH unchanged, when the result
// would be too long for an environment variable.
bool putFirstOnPath(const char* directory);

// Makes `folder` the folder searched for libraries after the program's own, in
// place of the current folder; the programs this process starts inherit it.
bool setLibraryFolder(const char* folder);

// A started program: its process and its first thread.
struct Program {
    void* process;
    void* thread;
};
using Job = void*;

// Starts `program` with the full command line `commandLine` (which the system
// may modify), suspended before it runs any of its own code. On failure
// answers false with the system's text for the error.
bool startProgramSuspended(const char* program, char* commandLine, Program* started, char* errorText,
                           size_t errorCapacity);
// A new job that ends all its processes when its last handle closes, which
// happens at the latest when this process ends; null when none can be made.
Job createKillOnCloseJob();
// Puts a suspended program into the job, and so every program it will start;
// false when the system refuses, as it does when this process's own job
// forbids nested jobs and breaking away.
bool assignToJob(Job job, const Program& program);
void closeJob(Job job);
void resumeProgram(const Program& program);
// Waits for the program to end, gives its exit code and releases its handles.
unsigned long waitForProgram(const Program& program);
// Lets Ctrl+C and Ctrl+Break reach the started program only, not end the launcher.
void ignoreConsoleInterrupts();

// The console this process was started with: how many processes it holds
// (0 = no console), whether it has a window, and whether standard input and
// output are that console rather than redirected.
struct ConsoleState {
    unsigned long processes;
    bool window;
    bool inputIsConsole;
    bool outputIsConsole;
};
ConsoleState consoleState();
// Drops whatever the console's input holds, such as keys typed while the runtime ran.
void emptyConsoleInput();
// Reads standard input up to a line end, its end or a failure. Ctrl+C,
// Ctrl+Break or the console's closing end the process meanwhile with `status`.
void waitForLineEnd(int status);

// Writes "title: text" and a line end to standard output.
void printMessage(const char* title, const char* text);
// Writes `text` and a line end to standard output.
void printLine(const char* text);
// Asks the shell to open an address in the user's browser; the outcome is not looked at.
void openAddress(const char* address);

}  // namespace platform
