#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct TerminalRun {
    int exitStatus;      // the exit code, or 128 + signal number when a signal ended the process
    std::string screen;  // every byte the terminal received, after the terminal driver's own changes
};

// Keys typed into the terminal, once, as soon as the screen shows `prompt`; nothing without a prompt.
struct TerminalAnswer {
    std::string prompt;
    std::string keys;
    // Typed only once the program reads the terminal raw, as Wine's console does while it reads: in
    // the terminal's line mode a carriage return would arrive as a line feed.
    bool whenRaw = false;
};

// Runs argv[0] (searched in PATH when it holds no slash) with the other elements as its arguments on a
// new pseudo-terminal of `columns` columns, which is its controlling terminal and its standard input,
// output and error; a stream given a file (`outputFile`, `errorFile`) writes to that file instead
// (created or truncated). The terminal driver works as for a user: a line feed reaches the screen as a
// carriage return and a line feed. extraEnv ("NAME=value") is added to this process's environment. The
// program is killed after `seconds`, giving the status 128 + 9. With an `answer`, its keys are
// typed once its prompt shows.
TerminalRun runOnTerminal(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv = {},
                          const std::filesystem::path& outputFile = {}, const std::filesystem::path& errorFile = {},
                          unsigned short columns = 80, int seconds = 120, const TerminalAnswer& answer = {});
