#pragma once
// The stand-in runtime of the launcher's tests under Wine: placing it as a
// runtime's home, and reading the log in which it records each start.

#include <filesystem>
#include <string>
#include <vector>

// What the stand-in runtime recorded in its log: "key=value" lines, the
// arguments its C run-time split from the command line under "argument".
struct StandinRecord {
    std::string program;
    std::string home;
    std::string commandLine;
    std::string workingDir;
    std::vector<std::string> arguments;
};
std::vector<StandinRecord> readStandinLog(const std::filesystem::path& log);

// Places the stand-in runtime in `home` as a real one lies there: the stand-in
// as bin\java.exe, the jli.dll and the jvm.cfg built beside it as bin\jli.dll
// and lib\jvm.cfg.
void placeStandinRuntime(const std::filesystem::path& home, const std::filesystem::path& standin);
