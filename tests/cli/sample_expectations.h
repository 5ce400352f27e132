#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tree_snapshot.h"

// One album folder of the sample library and what a run makes of it.
struct AlbumExpectation {
    std::string folder;
    std::string text;                              // the folder name, lower-cased
    std::map<std::string, std::string> tracks;     // old name -> new name, tracks with a readable tag only
    std::map<std::string, std::string> images;     // old name -> new name
    std::map<std::string, std::string> infoFiles;  // old name -> new name
    std::vector<std::string> oldLists;             // old playlists and checksum lists, deleted by the run
};

// Every album folder that make-sample-library writes without options.
const std::vector<AlbumExpectation>& sampleAlbums();

// What a run over an earlier run's result must do: keep every name.
std::vector<AlbumExpectation> expectationsForRerun(const std::vector<AlbumExpectation>& earlierRun);

struct ExpectedRun {
    TreeSnapshot tree;
    std::vector<std::string> consoleLines;  // the second line, a free-text notice, left empty
};

// Worked out before the run from the library as it stands: the order of albums on the console
// and of tracks in the lists is the file system's listing order, which the application keeps.
ExpectedRun expectRun(const std::filesystem::path& root, const std::vector<AlbumExpectation>& albums);
