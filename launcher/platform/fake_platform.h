#pragma once
// An in-memory stand-in for Windows, for unit tests of the launcher's logic.
// Tests arrange the world, run the logic and look at what it did.
//
// Texts that the system hands out in UTF-16 (the executable's path, registry
// values, the environment, short names) are arranged in UTF-8. The code page
// is Latin-1, standing in for the Western one: a character above U+00FF is
// lost ('?'). The paths that the logic passes back (files, directories, the
// started program) are those 8-bit texts.

#include <map>
#include <set>
#include <string>
#include <vector>

namespace fake {

struct RegistryKeyData {
    std::vector<std::string> subKeys;              // in enumeration order
    std::map<std::string, std::string> values;     // text values
    std::map<std::string, unsigned long> numbers;  // 32-bit number values
};

// Registry keys by full path.
using Registry = std::map<std::string, RegistryKeyData>;

struct StartedProgram {
    std::string program;
    std::string commandLine;
    std::string workingDir;
    std::string path;           // the PATH it inherited
    std::string libraryFolder;  // the library folder it inherited
};

struct World {
    std::string exePath = "C:\\apps\\tool.exe";  // UTF-8
    bool exePathAvailable = true;
    bool moduleOpens = true;
    int openModules = 0;
    std::map<int, std::string> settings;  // resource bytes, taken as they are

    std::string currentDir = "C:\\start";
    std::map<std::string, long long> files;        // full path -> size
    std::map<std::string, std::string> fileTexts;  // what reading a file gives, where a test says so
    std::set<std::string> directories;
    std::set<std::string> readOnlyDirectories;  // nothing can be created in them
    std::set<std::string> filesInUse;           // cannot be deleted or replaced
    std::vector<std::string> changedDirectories;
    // The short names of existing files and folders by their full path, both
    // in UTF-8; other paths, and the paths in shortNamesNotKept, have none.
    // A path in shortNamesNotKept lies on a volume that keeps no short names,
    // where asking for a short name gives the path itself.
    std::map<std::string, std::string> shortNames;
    std::set<std::string> shortNamesNotKept;

    // Registry keys by full path, in this process's own view [0] and the other
    // view [1], under HKEY_LOCAL_MACHINE and under HKEY_CURRENT_USER.
    Registry registry[2];
    Registry userRegistry[2];
    int openRegistryKeys = 0;

    std::vector<std::string> printed;  // "title: text" per console line
    std::vector<std::string> openedAddresses;
    bool interruptsIgnored = false;
    std::string pathVariable = "C:\\windows\\system32;C:\\windows";  // PATH, in UTF-8
    std::map<std::string, std::string> environment;                  // other variables, in UTF-8
    size_t pathCapacity = 32767;                                     // the longest PATH, terminator included

    std::string libraryFolder;  // set with setLibraryFolder; empty = none

    // The console: no console at all unless a test gives it processes.
    unsigned long consoleProcesses = 0;
    bool consoleWindow = false;
    bool inputIsConsole = false;
    bool outputIsConsole = false;
    std::string typedAhead;    // keys typed before the launcher empties the input
    std::string consoleInput;  // what standard input gives after that; reading takes it up to a line end
    // What the launcher did with the console, in order: "empty input", "wait".
    std::vector<std::string> consoleSteps;
    int statusOnClose = -1;  // the status the last wait would end with if the console closed

    std::vector<StartedProgram> started;
    unsigned long exitCode = 0;
    bool startFails = false;
    std::string startError = "The system cannot find the file specified.";
    // What became of the started program, in order: "start suspended",
    // "assign to job", "resume", "wait".
    std::vector<std::string> programSteps;
    bool jobUnavailable = false;     // no job can be made
    bool jobRefusesProgram = false;  // as when the launcher's own job forbids nesting
    int openJobs = 0;
};

World& world();
std::u16string utf16(const std::string& utf8);
// A fresh world with the defaults above.
void reset();

}  // namespace fake
