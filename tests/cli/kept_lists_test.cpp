// Old lists of tracks that the run neither renames nor lists, run over by the packaged
// application: they stay byte for byte through a run, a second run and the undo of both, while
// the lists of the run's own tracks are replaced as ever.
#include <gtest/gtest.h>

#include "application_run.h"
#include "other_tracks_library.h"
#include "temp_dir.h"
#include "tree_snapshot.h"

namespace {

namespace fs = std::filesystem;

TEST(KeptLists, ListsOfOtherTracksOutliveRunsAndUndos) {
    TempDir dir("cli");
    const fs::path root = dir.path() / "music";
    const OtherTracksLibrary library = writeOtherTracksLibrary(root);
    const TreeSnapshot original = snapshotTree(root);

    const ProcessResult first = runPackagedApplication({root.string()});
    EXPECT_EQ(first.exitStatus, 0) << first.err;
    EXPECT_EQ(first.err, "");
    const TreeSnapshot afterRun = snapshotTree(root);
    for (const std::string& list : library.keptLists) EXPECT_EQ(afterRun.at(list), original.at(list)) << list;
    for (const std::string& list : library.replacedLists) EXPECT_EQ(afterRun.count(list), 0u) << list;
    // Written beside the kept lists, where no kept list holds the name.
    EXPECT_EQ(afterRun.at("FLAC Album/00-flac album.sfv"), "; Created by Quom's Dovatrik\n\n");
    EXPECT_EQ(afterRun.at("Mixed/00-mixed.m3u"), "01-mixed_artist-song.mp3\n");
    EXPECT_EQ(afterRun.at("Multi Disc/00-multi disc.m3u"), "");
    EXPECT_EQ(afterRun.at("MP3 Album/00-mp3 album.m3u"), "01-band-tune.mp3\n");

    const ProcessResult second = runPackagedApplication({root.string()});
    EXPECT_EQ(second.exitStatus, 0) << second.err;
    EXPECT_EQ(describeDifferences(afterRun, snapshotTree(root)), "");

    for (int undo = 0; undo < 2; ++undo) {
        const ProcessResult result = runPackagedApplication({"--undo", root.string()});
        EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
        EXPECT_EQ(result.err, "");
    }
    EXPECT_EQ(describeDifferences(original, snapshotTree(root)), "");
}

TEST(KeptLists, AKeptListOfTheRunsOwnNameInAnAlbumWithMp3TracksIsSaid) {
    TempDir dir("cli");
    const fs::path root = dir.path() / "music";
    const fs::path album = root / "Album";
    writeOtherTracksLibrary(root);
    fs::rename(root / "FLAC Album", album);
    fs::rename(album / "00-flac album.m3u", album / "00-album.m3u");
    fs::copy_file(root / "MP3 Album" / "Track 1.mp3", album / "Track 1.mp3");
    const std::string kept = snapshotTree(root).at("Album/00-album.m3u");

    const ProcessResult result = runPackagedApplication({root.string()});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(lines(result.err),
              std::vector<std::string>{"Cannot write " + (fs::canonical(album) / "00-album.m3u").string() +
                                       ": it lists other tracks, kept as it is"});
    EXPECT_EQ(snapshotTree(root).at("Album/00-album.m3u"), kept);
}

}  // namespace
