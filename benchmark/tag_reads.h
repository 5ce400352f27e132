#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <map>
#include <string>
#include <vector>

#include "library.h"

// Bytes of the ID3v2 tag at the start of a file: the 10-byte header, the size it declares, and the
// footer when one is flagged; 0 when the file does not start with a tag.
std::uint64_t tagLength(const std::filesystem::path& track);

struct ReadTally {
    std::uint64_t bytes = 0;
    std::size_t calls = 0;
};

// Adds up, per file path, the bytes that successful read calls delivered, from a system-call log
// written by strace with -y (each descriptor shown with its path). Other lines are passed over.
void tallyReads(std::istream& log, std::map<std::string, ReadTally>& tallies);

struct TagReadFigures {
    std::size_t tracks = 0;
    double meanBytesRead = 0;
    double meanTagLength = 0;
    double meanCalls = 0;
    std::int64_t mostBeyondTag = 0;  // the largest excess of bytes read over a track's tag length
};

// A one-album library whose one track has a tag of artist, title and track frames followed by a
// picture frame of `pictureBytes`, and how much of that tag the reader needs: the header and the
// text frames, up to where the picture begins.
struct PictureTrack {
    Library library;
    std::uint64_t neededLength = 0;
};
PictureTrack makePictureTrack(const std::filesystem::path& root, std::size_t pictureBytes);

// Runs the application (`command` followed by the copy's root) over a fresh copy of the library under
// strace, and sets against each track's tag length the bytes read from the track under its old name.
// Only the tag library opens a track under that name: the checksum list reads it after the rename.
TagReadFigures measureTagReads(const std::vector<std::string>& command, const Library& library,
                               const std::filesystem::path& copy, const std::filesystem::path& workFolder);

// Runs `command` followed by `tidied`, a library that a first run has tidied, under strace, and sets
// against each track's tag length all the bytes read from the track: the run renames nothing, so
// its tag reads and any checksum reads come under the one name, and a run that reads only the tags
// (a dry run, or a quick run that trusts every listed checksum) reads no byte beyond them.
TagReadFigures measureRerunReads(const std::vector<std::string>& command, const std::filesystem::path& tidied,
                                 const std::filesystem::path& workFolder);
