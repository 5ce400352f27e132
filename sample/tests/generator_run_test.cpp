#include <gtest/gtest.h>

#include <algorithm>

#include "directory_listing.h"
#include "file_bytes.h"
#include "run_process.h"
#include "temp_dir.h"
#include "tree_snapshot.h"

namespace {

namespace fs = std::filesystem;

ProcessResult generate(const fs::path& dir, std::vector<std::string> options = {}) {
    options.insert(options.begin(), {MAKE_SAMPLE_LIBRARY, dir.string()});
    return runProcess(options);
}

TEST(GeneratorRun, SameArgumentsGiveTheSameLibrary) {
    const std::vector<std::vector<std::string>> optionSets{
        {}, {"--with-broken-tag"}, {"--albums", "2", "--tracks", "3", "--track-bytes", "2000"}};
    for (const auto& options : optionSets) {
        TempDir first("generator"), second("generator");
        ASSERT_EQ(generate(first.path() / "lib", options).exitStatus, 0);
        ASSERT_EQ(generate(second.path() / "lib", options).exitStatus, 0);
        const TreeSnapshot library = snapshotTree(first.path() / "lib");
        EXPECT_GT(library.size(), 5u);
        EXPECT_EQ(describeDifferences(library, snapshotTree(second.path() / "lib")), "");
    }
}

bool isTrackName(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return name.size() > 4 && name.compare(name.size() - 4, 4, ".mp3") == 0;
}

TEST(GeneratorRun, SyntheticLibraryHasTheRequestedShape) {
    TempDir dir("generator");
    const fs::path root = dir.path() / "synthetic";
    ASSERT_EQ(
        generate(root, {"--albums", "3", "--tracks", "5", "--track-bytes", "3000", "--with-broken-tag"}).exitStatus, 0);

    const std::vector<std::string> albums = listDirectory(root);
    ASSERT_EQ(albums.size(), 3u);
    std::vector<std::string> tracks;
    for (const std::string& album : albums) {
        SCOPED_TRACE(album);
        std::vector<std::string> names = listDirectory(root / album);
        const bool hasBrokenTrack = std::count(names.begin(), names.end(), "Broken Tag.mp3") == 1;
        EXPECT_EQ(hasBrokenTrack, album.find("(001)") != std::string::npos);
        EXPECT_EQ(std::count(names.begin(), names.end(), "Cover.jpg"), 1);
        EXPECT_EQ(std::count(names.begin(), names.end(), "info.nfo"), 1);
        EXPECT_EQ(names.size(), 7u + hasBrokenTrack);
        for (const std::string& name : names) {
            if (isTrackName(name) && name != "Broken Tag.mp3") {
                tracks.push_back((root / album / name).string());
                EXPECT_EQ(fs::file_size(tracks.back()), 3000u) << name;
            }
        }
    }
    ASSERT_EQ(tracks.size(), 15u);

    tracks.insert(tracks.begin(), {"mid3v2", "--list"});
    const ProcessResult frames = runProcess(tracks, "", {"LC_ALL=C.UTF-8", "PYTHONIOENCODING=utf-8"});
    std::size_t trackFrames = 0;
    for (std::size_t at = frames.out.find("\nTRCK="); at != std::string::npos; at = frames.out.find("\nTRCK=", at + 1))
        ++trackFrames;
    EXPECT_EQ(trackFrames, 15u) << frames.out << frames.err;
}

TEST(GeneratorRun, TracksSmallerThanTheirTagKeepTheWholeTag) {
    TempDir dir("generator");
    ASSERT_EQ(generate(dir.path() / "lib", {"--albums", "1", "--tracks", "2", "--track-bytes", "10"}).exitStatus, 0);
    for (const auto& [path, bytes] : snapshotTree(dir.path() / "lib")) {
        if (isTrackName(path)) {
            EXPECT_EQ(bytes.compare(0, 3, "ID3"), 0) << path;
            EXPECT_GT(bytes.size(), 10u) << path;
        }
    }
}

TEST(GeneratorRun, RefusesBadArgumentsAndLeavesExistingFilesAlone) {
    TempDir dir("generator");
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{{"--albums", "0"},
                                                                                           {"--tracks", "x"},
                                                                                           {"--track-bytes", "5k"},
                                                                                           {"--albums"},
                                                                                           {"--colour"},
                                                                                           {"other-dir"}}) {
        const ProcessResult result = generate(dir.path() / "lib", arguments);
        EXPECT_EQ(result.exitStatus, 2) << arguments.front();
        EXPECT_NE(result.err.find("usage: make-sample-library"), std::string::npos);
    }
    EXPECT_EQ(runProcess({MAKE_SAMPLE_LIBRARY}).exitStatus, 2);
    EXPECT_FALSE(fs::exists(dir.path() / "lib"));

    writeFileBytes(dir.path() / "keep.txt", "mine");
    const ProcessResult intoFullDirectory = generate(dir.path());
    EXPECT_EQ(intoFullDirectory.exitStatus, 1);
    EXPECT_NE(intoFullDirectory.err.find("not empty"), std::string::npos) << intoFullDirectory.err;
    EXPECT_EQ(snapshotTree(dir.path()), (TreeSnapshot{{"keep.txt", "mine"}}));
}

}  // namespace
