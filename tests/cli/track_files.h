#pragma once

#include <filesystem>
#include <string>

// Writes a short track: an ID3v2.3 tag with the three fields (an empty one left out), then
// silent MPEG audio.
void writeTrack(const std::filesystem::path& path, const std::string& number, const std::string& artist,
                const std::string& title);
