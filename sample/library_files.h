#pragma once

#include <filesystem>
#include <string>

// Makes `dir` (and its parents) when missing. Refuses, with std::runtime_error, a directory that
// already holds entries, so that a library is never mixed into existing files.
void prepareEmptyDirectory(const std::filesystem::path& dir);

// Writes a new file; throws std::runtime_error when it exists already or cannot be written.
void writeNewFile(const std::filesystem::path& path, const std::string& bytes);
