#pragma once

#include <string>

// Writes `output` as the linked launcher image followed by the archive,
// unchanged. The archive must end with its 22-byte end record (no archive
// comment), so that the record is also the executable's last 22 bytes.
bool appendArchive(const std::string& imagePath, const std::string& archivePath, const std::string& outputPath,
                   std::string& error);
