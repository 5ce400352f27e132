#pragma once
// Starting a host program from inside Wine and waiting for it.

#include <string>
#include <vector>

// Runs `program` with `arguments` (its first word included) in `workingDir` (this process's own
// host directory when empty), with this process's host environment and LC_ALL=C.UTF-8, so that
// a JVM reads and writes non-ASCII file names unchanged. The standard streams are shared.
// Returns the program's exit status, 128 + the signal number when a signal ended it, or -1 with
// `error` set when it could not be started or waited for.
int runHostProgram(const std::string& program, const std::vector<std::string>& arguments, const std::string& workingDir,
                   std::string& error);
