#pragma once

#include <filesystem>

// Adds "Broken Tag.mp3" to an album: a track whose ID3v2.3 tag is well-formed up to its title
// frame, which claims more bytes than the whole tag holds. A tag reader must reject it.
void writeBrokenTagTrack(const std::filesystem::path& albumDir);
