#pragma once

#include <filesystem>
#include <string>

// The whole content of a file; throws std::runtime_error when it cannot be read.
std::string readFileBytes(const std::filesystem::path& path);

// Creates or truncates a file and writes `bytes` into it; throws std::runtime_error on failure.
void writeFileBytes(const std::filesystem::path& path, const std::string& bytes);
