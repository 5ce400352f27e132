#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "file_bytes.h"
#include "id3v2_writer.h"
#include "run_process.h"
#include "tag_reads.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

TEST(TagLength, CountsHeaderDeclaredSizeAndVersion4Footer) {
    const TempDir folder("benchmark-tags");
    const auto lengthOf = [&](const std::string& bytes) {
        writeFileBytes(folder.path() / "t.mp3", bytes);
        return tagLength(folder.path() / "t.mp3");
    };
    // The size 257 is syncsafe: seven bits a byte.
    EXPECT_EQ(lengthOf(std::string("ID3\3\0\0\0\0\2\1", 10) + "body"), 10u + 257);
    EXPECT_EQ(lengthOf(std::string("ID3\4\0\x10\0\0\0\5", 10)), 10u + 5 + 10);
    EXPECT_EQ(lengthOf(std::string("ID3\3\0\x10\0\0\0\5", 10)), 10u + 5);
    EXPECT_EQ(lengthOf(std::string("\xFF\xFB\x90\0audio", 9)), 0u);
    EXPECT_EQ(lengthOf("ID3\3"), 0u);
}

TEST(TagLength, MatchesTheTagThatAnIndependentWriterPutsBeforeTheAudio) {
    const TempDir folder("benchmark-tags");
    const fs::path track = folder.path() / "t.mp3";
    const std::string audio(3000, '\x55');
    writeFileBytes(track, audio);
    const ProcessResult written = runProcess({"mid3v2", "--artist", "Band", "--song", "Song", track.string()});
    ASSERT_EQ(written.exitStatus, 0) << written.err;
    EXPECT_EQ(tagLength(track), fs::file_size(track) - audio.size());

    writeFileBytes(track, id3v2TagBytes({4, TextEncoding::Utf8, "Band", "Song", "1", 100}) + audio);
    EXPECT_EQ(tagLength(track), fs::file_size(track) - audio.size());
}

TEST(TallyReads, AddsWhatEachReadDeliveredPerPath) {
    std::istringstream log(
        "read(5</music/A b, c/01 x.mp3>, \"\"..., 10) = 10\n"
        "pread64(5</music/A b, c/01 x.mp3>, \"\"..., 90, 10) = 90\n"
        "read(5</music/A b, c/01 x.mp3>, \"\", 10240)    = 0\n"
        "read(6</music/02.mp3>, 0x7f00, 10) = -1 EAGAIN (Resource temporarily unavailable)\n"
        "readv(7</music/02.mp3>, [{iov_base=\"\"..., iov_len=4}], 1) = 4\n"
        "openat(AT_FDCWD, \"/music/03.mp3\", O_RDONLY) = 8\n"
        "read(8<pipe:[123]>, \"\"..., 10) = 3\n");
    std::map<std::string, ReadTally> tallies;
    tallyReads(log, tallies);
    EXPECT_EQ(tallies["/music/A b, c/01 x.mp3"].bytes, 100u);
    EXPECT_EQ(tallies["/music/A b, c/01 x.mp3"].calls, 2u);
    EXPECT_EQ(tallies["/music/02.mp3"].bytes, 4u);
    EXPECT_EQ(tallies.count("/music/03.mp3"), 0u);
}

TEST(TallyReads, ReadsTheLogThatStraceWrites) {
    const TempDir folder("benchmark-tags");
    const fs::path file = fs::canonical(folder.path()) / "some file.bin";
    writeFileBytes(file, std::string(50000, 'x'));
    const fs::path log = folder.path() / "trace";
    const ProcessResult traced = runProcess({"strace", "-qq", "-y", "-s", "0", "-e", "trace=read,pread64", "-o",
                                             log.string(), "dd", "if=" + file.string(), "of=/dev/null", "bs=10240"});
    ASSERT_EQ(traced.exitStatus, 0) << traced.err;

    std::ifstream stream(log);
    std::map<std::string, ReadTally> tallies;
    tallyReads(stream, tallies);
    EXPECT_EQ(tallies[file.string()].bytes, 50000u);
    EXPECT_EQ(tallies[file.string()].calls, 5u);
}

// A stand-in for the application: reads 14 bytes of every track in two calls, then renames it
// unless told to leave the names alone.
std::vector<std::string> standinApplication(bool rename) {
    return {"sh", "-c",
            std::string("find \"$0\" -iname '*.mp3' | while read -r f; do dd if=\"$f\" of=/dev/null bs=7 count=2 "
                        "status=none; ") +
                (rename ? "mv \"$f\" \"$f.new\"; " : "") + "done"};
}

TEST(MeasureTagReads, SetsTheBytesReadUnderTheOldNamesAgainstEachTag) {
    const TempDir work("benchmark-tags");
    const Library library = makeLibrary(work.path() / "lib", {2, 4, 3000});
    const TagReadFigures figures =
        measureTagReads(standinApplication(true), library, work.path() / "copy", work.path());
    EXPECT_EQ(figures.tracks, 8u);
    EXPECT_EQ(figures.meanBytesRead, 14);
    EXPECT_EQ(figures.meanCalls, 2);
    EXPECT_GT(figures.meanTagLength, 14);
    EXPECT_EQ(figures.mostBeyondTag, 0);
}

TEST(MeasureTagReads, RefusesARunThatLeftTrackNamesAlone) {
    const TempDir work("benchmark-tags");
    const Library library = makeLibrary(work.path() / "lib", {1, 2, 3000});
    try {
        measureTagReads(standinApplication(false), library, work.path() / "copy", work.path());
        FAIL() << "no exception";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("kept its name"), std::string::npos) << error.what();
    }
}

TEST(PictureTrack, PutsThePictureAfterTheTextFramesInsideTheTag) {
    const TempDir folder("benchmark-tags");
    const PictureTrack picture = makePictureTrack(folder.path() / "lib", 5000);
    ASSERT_EQ(picture.library.tracks, (std::vector<fs::path>{fs::path("Album") / "01 picture.mp3"}));
    const fs::path track = picture.library.root / picture.library.tracks.front();
    const std::string bytes = readFileBytes(track);
    EXPECT_EQ(picture.library.trackBytes, bytes.size());
    EXPECT_EQ(bytes.substr(picture.neededLength, 4), "APIC");
    // The header, the text frames, the picture frame's header and its 5000 bytes; the audio follows.
    EXPECT_EQ(tagLength(track), picture.neededLength + 10 + 5000);
    EXPECT_EQ(bytes.substr(0, picture.neededLength),
              id3v2TagBytes({3, TextEncoding::Latin1, "Band", "Song", "1", 0}).replace(6, 4, bytes.substr(6, 4)));
}
