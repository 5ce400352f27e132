#pragma once

#include <string>
#include <vector>

// Writes `output` as a zip archive of the files of `folder` named by `entries` (relative paths
// with "/"), in that order, each preceded by entries for the folders that hold it. Every entry is
// stored uncompressed with one fixed time and no extra fields, so that the archive's bytes depend
// on the files' contents and names alone.
bool writeReleaseZip(const std::string& output, const std::string& folder, const std::vector<std::string>& entries,
                     std::string& error);
