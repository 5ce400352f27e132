#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct ProcessResult {
    int exitStatus;   // the exit code, or 128 + signal number when a signal ended the process
    std::string out;  // everything written to standard output
    std::string err;  // everything written to standard error
};

// Runs argv[0] (searched in PATH when it holds no slash) with the other elements as its arguments,
// in workingDir when that is not empty, with extraEnv ("NAME=value", replacing a variable of the
// same name) added to this process's environment. Standard input is empty; standard output and
// error are captured separately, however large. A program that cannot be started gives exit
// status 127 and the reason in `err`, as a shell would.
ProcessResult runProcess(const std::vector<std::string>& argv, const std::string& workingDir = "",
                         const std::vector<std::string>& extraEnv = {});

// Runs a program as runProcess does, but with standard output and error written to the files named
// (created or truncated), never to pipes: Wine's background processes inherit a pipe and would keep
// the caller waiting until they end. Gives the exit status; 127 when the program cannot be started,
// with the reason in errorFile.
int runProcessToFiles(const std::vector<std::string>& argv, const std::filesystem::path& outputFile,
                      const std::filesystem::path& errorFile, const std::string& workingDir = "",
                      const std::vector<std::string>& extraEnv = {});

// This process's environment with the extra variables ("NAME=value") added, each replacing a
// variable of the same name.
std::vector<std::string> environmentWith(const std::vector<std::string>& extraEnv);

// The strings as a null-ended array of pointers into them, as exec functions take it.
std::vector<char*> pointerArray(std::vector<std::string>& strings);
