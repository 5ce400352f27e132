#pragma once

#include <cstddef>
#include <filesystem>

struct LibrarySize {
    std::size_t albums;
    std::size_t tracksPerAlbum;
    std::size_t trackBytes;  // whole file, tag included; a tag longer than this is kept whole
};

// Writes `size.albums` album folders into `root` (new or empty), each with its tracks (tagged, with
// messy names), a cover and an info file. Names come from a fixed-seed generator, so the same sizes
// always give the same library. With `withBrokenTag`, the first album gets a malformed-tag track.
void writeSyntheticLibrary(const std::filesystem::path& root, const LibrarySize& size, bool withBrokenTag);
