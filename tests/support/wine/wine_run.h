#pragma once
// Running Windows programs under Wine from a test, and the paths they see.

#include <filesystem>
#include <string>
#include <vector>

#include "run_process.h"

// The Windows form of a Linux path, through Wine's Z: drive.
std::string windowsPath(const std::filesystem::path& path);

// Makes `home` a copy of the runtime home `from`: its bin and lib folders and its release file.
void copyRuntimeHome(const std::filesystem::path& from, const std::filesystem::path& home);

// Runs `exe` under Wine with the arguments, from `workingDir`, with extra environment variables.
ProcessResult runUnderWine(const std::filesystem::path& exe, const std::vector<std::string>& arguments,
                           const std::filesystem::path& workingDir, const std::vector<std::string>& environment = {});
