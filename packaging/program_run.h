#pragma once

#include <string>
#include <vector>

// Runs the program argv[0] (searched in PATH) with the other elements as its arguments, its
// standard output and error appended to the file `logPath`, and waits for it. True when it ran
// and ended with status 0.
bool runLogged(const std::vector<std::string>& argv, const std::string& logPath);
