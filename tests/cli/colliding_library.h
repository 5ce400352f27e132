#pragma once

#include <filesystem>

// A library made to collide: tags shared by several tracks, names already taken by tracks and by
// files that are none, tracks and images whose names differ only in letter case, several info
// files, old lists of every kind, folders among them, track numbers from 0 to 12345, and old
// names with side and three-digit prefixes.
void writeCollidingLibrary(const std::filesystem::path& root, unsigned seed);
