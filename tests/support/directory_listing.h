#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The names of a directory's entries in the order the file system returns them (readdir order),
// without "." and "..". Programs that never sort their listings see this same order.
// Throws std::system_error when the directory cannot be read.
std::vector<std::string> listDirectory(const std::filesystem::path& dir);
