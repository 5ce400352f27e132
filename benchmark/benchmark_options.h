#pragma once

#include <string>
#include <vector>

#include "synthetic_library.h"

struct BenchmarkOptions {
    LibrarySize large{40, 12, 4u << 20};    // a checksum-bound library of large tracks
    LibrarySize small{100, 50, 16u << 10};  // many small tracks, where the cost per track shows
    int runs = 3;                           // timed runs of each measurement over the libraries
    int launchRuns = 21;                    // starts under Wine, which take milliseconds each
    std::size_t scaledAlbums = 0;           // albums of a library like the small one to scale to; 0: none
    std::size_t treeFolders = 100000;       // folders of the tree that a --recursive run walks
    std::size_t treeAlbums = 1000;          // album folders among them
    LibrarySize flac{1000, 10, 4096};       // a FLAC-only library of album folders, and its MP3 twin
};

extern const char* const kBenchmarkUsage;

// Parses the arguments after the program name; throws std::invalid_argument with a message fit for
// the user when they do not make sense.
BenchmarkOptions parseBenchmarkOptions(const std::vector<std::string>& arguments);
