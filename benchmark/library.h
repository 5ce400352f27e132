#pragma once

#include <chrono>
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

// A library as a walk sees it: its folders and its album folders (those holding tracks of their own).
struct FolderTree {
    std::filesystem::path root;
    std::size_t folders = 0;  // below the root, the albums and their sub-folders included
    std::size_t albums = 0;
};

// Writes `folders` folders into `root` (new or empty), ten below each, so that they go five levels
// deep for 100,000. `albums` of them, spread evenly over the numbering and so over every depth,
// hold three tiny tagged tracks, a cover and an info file; one in three of the others holds a text
// file and a picture, the rest are empty. Throws std::invalid_argument for more albums than folders.
FolderTree makeFolderTree(const std::filesystem::path& root, std::size_t folders, std::size_t albums);

// What the tracks of a library of album folders are.
enum class TrackKind { mp3, flac };

// Writes `size.albums` album folders into `root` (new or empty), each holding `size.tracksPerAlbum`
// tracks of the kind (tiny tagged MP3 tracks, or files that only begin as FLAC streams do) and a
// cover; every fourth album also holds Artwork/Scans with a picture, two levels below it.
FolderTree makeAlbumLibrary(const std::filesystem::path& root, TrackKind kind, const LibrarySize& size);

// The files in the album folders of `root` whose names end in ".mp3" in any letter case, as the
// application picks them, relative to `root`.
std::vector<std::filesystem::path> libraryTracks(const std::filesystem::path& root);

// Replaces `copy` by a copy of the library and flushes it to disk, so that the writing back of the
// copy's pages does not fall into the timed run that follows. The copy stays in the page cache.
void freshCopy(const Library& library, const std::filesystem::path& copy);

// Flushes the file system holding `folder` to disk; throws std::runtime_error when it cannot.
void flushToDisk(const std::filesystem::path& folder);

// Sets the modification time of the library's tracks in `copy` (a fresh copy) `age` before now, so
// that checksum lists written after it are more than the 2 seconds younger that a quick run asks of
// them before it trusts them.
void ageTracks(const Library& library, const std::filesystem::path& copy, std::chrono::hours age);

// Reads every byte of the library's tracks once, in pieces of `pieceBytes`; the seconds it took.
double readEveryByte(const Library& library, std::size_t pieceBytes);
