#pragma once
// An in-memory stand-in for Windows, for unit tests of the launcher's logic.
// Tests arrange the world, run the logic and look at what it did.

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
    std::string path;  // the PATH it inherited
};

struct World {
    std::string exePath = "C:\\apps\\tool.exe";
    bool exePathAvailable = true;
    bool moduleOpens = true;
    int openModules = 0;
    std::map<int, std::string> settings;  // resource bytes, taken as they are

    std::string currentDir = "C:\\start";
    std::map<std::string, long long> files;  // full path -> size
    std::set<std::string> directories;
    std::set<std::string> readOnlyDirectories;  // nothing can be created in them
    std::set<std::string> filesInUse;           // cannot be deleted or replaced
    std::vector<std::string> changedDirectories;

    // Registry keys by full path, in this process's own view [0] and the other
    // view [1], under HKEY_LOCAL_MACHINE and under HKEY_CURRENT_USER.
    Registry registry[2];
    Registry userRegistry[2];
    int openRegistryKeys = 0;

    std::vector<std::string> printed;  // "title: text" per console line
    std::vector<std::string> openedAddresses;
    bool interruptsIgnored = false;
    std::string pathVariable = "C:\\windows\\system32;C:\\windows";
    size_t pathCapacity = 32767;  // the longest PATH, terminator included

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
// A fresh world with the defaults above.
void reset();

}  // namespace fake
