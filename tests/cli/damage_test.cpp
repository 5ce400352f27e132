// A track damaged between two runs, as a failing disk damages it: its bytes change, its
// modification time does not. The second run reports it and keeps the evidence; touching the
// track accepts the new checksum.
#include <gtest/gtest.h>

#include <chrono>

#include "application_run.h"
#include "crc32.h"
#include "file_bytes.h"
#include "temp_dir.h"
#include "track_files.h"

namespace {

namespace fs = std::filesystem;

bool checkerAccepts(const fs::path& album, const std::string& list) {
    return runProcess({"cksfv", "-q", "-f", list}, album.string()).exitStatus == 0;
}

class DamagedTrack : public ::testing::Test {
protected:
    TempDir dir{"cli"};
    const fs::path root = dir.path() / "music";
    const fs::path album = root / "Album";

    void SetUp() override { fs::create_directories(album); }
};

TEST_F(DamagedTrack, IsReportedTheListKeepsTheOldChecksumAndTouchingAcceptsTheNewOne) {
    writeTrack(album / "Track 1.mp3", "1", "A", "B");
    writeTrack(album / "Track 2.mp3", "2", "A", "C");
    const ProcessResult first = runPackagedApplication({root.string()});
    ASSERT_EQ(first.exitStatus, 0) << first.err;
    const fs::path track = album / "01-a-b.mp3";
    const fs::path list = album / "00-album.sfv";
    const std::string intact = readFileBytes(track);

    // One bit turned in the audio, the modification time left as it was.
    std::string damaged = intact;
    damaged[damaged.size() - 10] ^= 0x04;
    const fs::file_time_type written = fs::last_write_time(track);
    writeFileBytes(track, damaged);
    fs::last_write_time(track, written);

    const ProcessResult dry = runPackagedApplication({"--dry-run", root.string()});
    EXPECT_EQ(dry.exitStatus, 0);
    EXPECT_EQ(dry.err, "");

    const ProcessResult second = runPackagedApplication({root.string()});
    EXPECT_EQ(second.exitStatus, 1);
    EXPECT_EQ(second.err, "Checksum of " + track.string() + " changed since " + list.string() + ": was " +
                              checksumText(intact) + ", now " + checksumText(damaged) + "\n");
    const std::string kept = readFileBytes(list);
    EXPECT_NE(kept.find("01-a-b.mp3 " + checksumText(intact) + "\n"), std::string::npos) << kept;
    EXPECT_NE(kept.find("02-a-c.mp3 " + checksumText(readFileBytes(album / "02-a-c.mp3")) + "\n"), std::string::npos)
        << kept;
    EXPECT_FALSE(checkerAccepts(album, list.filename().string()));

    // A later run reports it again, until the user accepts the track as it now is.
    EXPECT_EQ(runPackagedApplication({root.string()}).exitStatus, 1);
    // As touch does it a moment later; set outright, as timestamps taken close together may tie.
    fs::last_write_time(track, fs::last_write_time(list) + std::chrono::seconds(2));
    const ProcessResult accepted = runPackagedApplication({root.string()});
    EXPECT_EQ(accepted.exitStatus, 0);
    EXPECT_EQ(accepted.err, "");
    EXPECT_NE(readFileBytes(list).find("01-a-b.mp3 " + checksumText(damaged) + "\n"), std::string::npos);
    EXPECT_TRUE(checkerAccepts(album, list.filename().string()));
}

TEST_F(DamagedTrack, AnOldListWithGarbageLinesGoesWithoutAWord) {
    writeTrack(album / "Track 1.mp3", "1", "A", "B");
    writeFileBytes(album / "00-album.sfv",
                   "garbage\n\x01\x02\xff\xfe\nTrack 1.mp3\nTrack 1.mp3 not-hex\n01-a-b.mp3 123456789\n");
    const ProcessResult result = runPackagedApplication({root.string()});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(checkerAccepts(album, "00-album.sfv"));
}

}  // namespace
