#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Writes the sample library into `root` with make-sample-library; throws when that fails.
void generateSampleLibrary(const std::filesystem::path& root, const std::vector<std::string>& options = {});

// The lines of console output, each without its line feed. The second line, a notice whose text
// is free, is blanked, so that whole outputs compare as they are.
std::vector<std::string> consoleLines(const std::string& output);
