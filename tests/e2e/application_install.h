#pragma once
// Installing the packaged application and the bridge runtime into test folders, and running the
// application under Wine the way a user starts it from a console.

#include <filesystem>
#include <string>
#include <vector>

#include "run_process.h"

// The packaged application of the tested architecture: with the bridge runtime shipped in the
// folder "runtime", or as delivered.
std::filesystem::path shippedPackage();
std::filesystem::path deliveredPackage();

// Copies the packaged executable into `appDir` as dovatrik.exe, with the tag library as
// lib/jid3.jar beside it; returns the executable's path.
std::filesystem::path installApplication(const std::filesystem::path& package, const std::filesystem::path& appDir);

// Makes `home` a runtime home whose bin/java.exe is the bridge to the host's JVM, with the
// library beside it in bin and the configuration in lib that it needs.
void installBridgeRuntime(const std::filesystem::path& home);

// Where the launcher keeps its copy of the runtime's java.exe, named after the executable.
std::filesystem::path runtimeCopy(const std::filesystem::path& home);

// True when the copy exists and holds the runtime's java.exe unchanged.
bool runtimeCopyIsIntact(const std::filesystem::path& home);

// Runs `exe` under Wine with the arguments, from `startDir`. Wine passes non-ASCII names and
// arguments between the host and Windows unchanged only under a UTF-8 locale.
ProcessResult runInstalled(const std::filesystem::path& exe, const std::vector<std::string>& arguments,
                           const std::filesystem::path& startDir);
