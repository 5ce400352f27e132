#pragma once
// Running Windows programs under Wine from a test, and the paths they see.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "run_process.h"

// The Windows form of a Linux path, through Wine's Z: drive.
std::string windowsPath(const std::filesystem::path& path);

// Runs `exe` under Wine with the arguments, from `workingDir`, with extra environment variables.
ProcessResult runUnderWine(const std::filesystem::path& exe, const std::vector<std::string>& arguments,
                           const std::filesystem::path& workingDir, const std::vector<std::string>& environment = {});

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
