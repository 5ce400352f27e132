#pragma once

#include <string>

// The whole content of the file at `path`; false when it cannot be read.
bool readWholeFile(const std::string& path, std::string& bytes);

// Creates or truncates the file at `path` with `bytes`; false when that fails.
bool writeWholeFile(const std::string& path, const std::string& bytes);
