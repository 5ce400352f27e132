#pragma once

#include <filesystem>
#include <map>
#include <string>

// Every entry below a directory, keyed by its path relative to that directory ("Album/a.mp3");
// a sub-directory's key ends with "/" and maps to an empty content.
using TreeSnapshot = std::map<std::string, std::string>;

TreeSnapshot snapshotTree(const std::filesystem::path& root);

// One line per entry that is missing, unexpected or different in `actual`, with a short escaped
// excerpt of differing contents; empty when the two are equal.
std::string describeDifferences(const TreeSnapshot& expected, const TreeSnapshot& actual);
