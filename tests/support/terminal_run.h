#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct TerminalRun {
    int exitStatus;      // the exit code, or 128 + signal number when a signal ended the process
    std::string screen;  // every byte the terminal received, after the terminal driver's own changes
};

// Runs argv[0] (searched in PATH when it holds no slash) with the other elements as its arguments on a
// new pseudo-terminal of `columns` columns, which is its controlling terminal and its standard input,
// output and error; a stream given a file (`outputFile`, `errorFile`) writes to that file instead
// (created or truncated). The terminal driver works as for a user: a line feed reaches the screen as a
// carriage return and a line feed. extraEnv ("NAME=value") is added to this process's environment. The
// program is killed after `seconds`, giving the status 128 + 9.
TerminalRun runOnTerminal(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv = {},
                          const std::filesystem::path& outputFile = {}, const std::filesystem::path& errorFile = {},
                          unsigned short columns = 80, int seconds = 120);
