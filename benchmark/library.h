#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "synthetic_library.h"

// A synthetic library on disk and its tracks.
struct Library {
    std::filesystem::path root;
    LibrarySize size;
    std::vector<std::filesystem::path> tracks;  // relative to root, in listing order
    std::uint64_t trackBytes = 0;               // all tracks together
};

// Writes a synthetic library of the given size into `root` (new or empty).
Library makeLibrary(const std::filesystem::path& root, const LibrarySize& size);

// The files in the album folders of `root` whose names end in ".mp3" in any letter case, as the
// application picks them, relative to `root`.
std::vector<std::filesystem::path> libraryTracks(const std::filesystem::path& root);

// Replaces `copy` by a copy of the library and flushes it to disk, so that the writing back of the
// copy's pages does not fall into the timed run that follows. The copy stays in the page cache.
void freshCopy(const Library& library, const std::filesystem::path& copy);

// Reads every byte of the library's tracks once, in pieces of `pieceBytes`; the seconds it took.
double readEveryByte(const Library& library, std::size_t pieceBytes);
