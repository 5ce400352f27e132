#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A library whose old lists name tracks that a run neither renames nor lists, as rippers and
// checksum tools leave them: a FLAC album with lists by rhash and cksfv and a playlist of every
// spelling, a FLAC album whose playlist bears the run's own name, a mixed album, a multi-disc
// album; beside them an MP3 album whose old lists are the run's to replace.
struct OtherTracksLibrary {
    // Relative to the library: the old lists that every run keeps byte for byte.
    std::vector<std::string> keptLists;
    // Relative to the library: the old lists that the first run deletes.
    std::vector<std::string> replacedLists;
};

OtherTracksLibrary writeOtherTracksLibrary(const std::filesystem::path& root);
