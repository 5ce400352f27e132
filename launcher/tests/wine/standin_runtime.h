#pragma once
// The launcher's tests under Wine: their packaged executables, the stand-in
// runtime placed as a runtime's home, and the log in which it records each start.

#include <filesystem>
#include <string>
#include <vector>

// The packaged test executable `name` of the tested architecture.
std::filesystem::path testPackage(const std::string& name);
// Copies that executable into the application folder `appDir`, which it makes;
// gives the copy's path.
std::filesystem::path installPackage(const std::string& name, const std::filesystem::path& appDir);

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
