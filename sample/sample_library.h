#pragma once

#include <filesystem>

// Writes the small sample library into `root`, which must be new or empty: four album folders
// with messy track names and tags of every kind the application must read, covers, info files and
// old lists, plus a loose track beside the albums. With `withBrokenTag`, "Mixed Bag" also gets a
// track whose tag is malformed.
void writeSampleLibrary(const std::filesystem::path& root, bool withBrokenTag);
