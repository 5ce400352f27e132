#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "library.h"

// A --recursive run over a tree of folders, in a 64 MiB heap: the walk must hold only the albums
// found and the folders on its path, so the run completing in that heap is what shows it.
struct RecursiveWalkFigures {
    FolderTree tree;
    double dryRun = 0;            // median seconds of a dry run: the walk and every album's plan
    std::size_t albumsFound = 0;  // the albums whose playlist the dry run plans
    // The most the heap held after a collection in the last dry run, in MiB (runtimes from 9 on log
    // their collections so); -1 when none was logged.
    double mostHeapAfterCollection = -1;
    double realRun = 0;  // one real run, after the dry runs: the walk, then every album tidied
};

// Dry runs, then one real run, of `application` (java, its options, -jar and the executable) over
// the tree, which the real run tidies. Throws std::runtime_error when a run fails, or when the dry
// run plans another number of albums than the tree holds.
RecursiveWalkFigures measureRecursiveWalk(const std::vector<std::string>& application, const FolderTree& tree, int runs,
                                          const std::filesystem::path& workFolder);

// Dry runs without --recursive over a library whose albums hold only FLAC files, where the check for
// tracks below the album folders looks below every album, beside runs over its twin of MP3 tracks,
// where the check ends at the first album's listing.
struct TracksBelowCheckFigures {
    FolderTree flac;
    double flacDryRun = 0;  // median seconds
    double mp3DryRun = 0;
};

// Makes the two libraries under `workFolder`, times them, and removes them.
TracksBelowCheckFigures measureTracksBelowCheck(const std::vector<std::string>& application, const LibrarySize& size,
                                                int runs, const std::filesystem::path& workFolder);
