#include <gtest/gtest.h>

#include <sys/stat.h>

#include "application_run.h"
#include "temp_dir.h"
#include "track_files.h"

namespace {

namespace fs = std::filesystem;

// A FIFO named like a track must not be opened: opening it waits for a writer that never comes.
TEST(SpecialFile, AFifoNamedLikeATrackIsReportedAndTheRunGoesOn) {
    const TempDir dir("cli");
    const fs::path album = dir.path() / "Album";
    fs::create_directories(album);
    writeTrack(album / "01 normal.mp3", "1", "Band", "Song");
    ASSERT_EQ(mkfifo((album / "x.mp3").c_str(), 0644), 0);

    // Bounded, so that a run that hangs on the FIFO fails instead of holding the tests up forever.
    const ProcessResult result = runPackagedApplicationWithin(60, {dir.path().string()});
    ASSERT_NE(result.exitStatus, kTimedOut) << "the run did not finish:\n" << result.out << result.err;
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_TRUE(fs::is_regular_file(album / "01-band-song.mp3"));
    EXPECT_TRUE(fs::is_fifo(album / "x.mp3"));
    EXPECT_NE(result.err.find((album / "x.mp3").string()), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("not a regular file"), std::string::npos) << result.err;
    EXPECT_NE(result.out.find("All is done for you, lame user!"), std::string::npos) << result.out;
}

// Tracks are listed with their kinds, links followed: a link to a track is renamed itself, its target
// keeps its name, and a link to nothing is reported as the open of its tag reports it.
TEST(SpecialFile, ALinkToATrackIsRenamedItselfAndALinkToNothingIsReported) {
    const TempDir dir("cli");
    const fs::path music = dir.path() / "music";
    const fs::path album = music / "Album";
    const fs::path outside = dir.path() / "outside";
    fs::create_directories(album);
    fs::create_directories(outside);
    writeTrack(album / "01 normal.mp3", "1", "Band", "Song");
    writeTrack(outside / "track.mp3", "2", "Band", "Other");
    fs::create_symlink(outside / "track.mp3", album / "02 link.mp3");
    fs::create_symlink(outside / "gone.mp3", album / "03 gone.mp3");

    const ProcessResult result = runPackagedApplication({music.string()});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_TRUE(fs::is_regular_file(album / "01-band-song.mp3"));
    EXPECT_TRUE(fs::is_symlink(album / "02-band-other.mp3"));
    EXPECT_EQ(fs::read_symlink(album / "02-band-other.mp3"), outside / "track.mp3");
    EXPECT_TRUE(fs::is_regular_file(outside / "track.mp3"));
    EXPECT_TRUE(fs::is_symlink(album / "03 gone.mp3"));
    const std::vector<std::string> reported = lines(result.err);
    ASSERT_EQ(reported.size(), 1u) << result.err;
    EXPECT_EQ(reported[0], "Cannot read the tag of " + (album / "03 gone.mp3").string() +
                               ": ID3Exception: cannot read the file: " + (album / "03 gone.mp3").string() +
                               " (No such file or directory)");
}

}  // namespace
