// The playlist and the checksum list are written in the system's code page, which Windows players
// and checksum verifiers read them in, also where the runtime's default charset is UTF-8 (as it is
// on every system since Java 18).
#include <gtest/gtest.h>

#include "application_run.h"
#include "crc32.h"
#include "file_bytes.h"
#include "temp_dir.h"
#include "track_files.h"

namespace {

namespace fs = std::filesystem;

TEST(ListEncoding, ListsAreWrittenInTheCodePageWhenTheDefaultCharsetIsUtf8) {
    TempDir dir{"cli"};
    // A Latin-1 locale of the test's own, found through LOCPATH: no system locale is needed.
    const fs::path locales = dir.path() / "locales";
    fs::create_directory(locales);
    const ProcessResult made =
        runProcess({"localedef", "-i", "de_DE", "-f", "ISO-8859-1", (locales / "de_DE.ISO-8859-1").string()});
    ASSERT_EQ(made.exitStatus, 0) << "localedef (package locales): " << made.out << made.err;
    const fs::path root = dir.path() / "music";
    const fs::path album = root / "Album";
    fs::create_directories(album);
    writeTrack(album / "Track 1.mp3", "1", "Motörhead", "Ace of Spades");
    writeTrack(album / "Track 2.mp3", "2", "Björk", "Jóga");

    const ProcessResult result = runPackagedApplicationInLocale(
        {"LOCPATH=" + locales.string(), "LC_ALL=de_DE.ISO-8859-1"}, {"-Dfile.encoding=UTF-8"}, {root.string()});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    // Latin-1 bytes, as in the names of the files themselves.
    const std::string first = "01-mot\xf6rhead-ace_of_spades.mp3";
    const std::string second = "02-bj\xf6rk-j\xf3ga.mp3";
    ASSERT_TRUE(fs::is_regular_file(album / first));
    ASSERT_TRUE(fs::is_regular_file(album / second));
    const std::string playlist = readFileBytes(album / "00-album.m3u");
    EXPECT_TRUE(playlist == first + "\n" + second + "\n" || playlist == second + "\n" + first + "\n") << playlist;
    const std::string checksums = readFileBytes(album / "00-album.sfv");
    EXPECT_EQ(checksums.rfind("; Created by Quom's Dovatrik\n\n", 0), 0u) << checksums;
    for (const std::string& name : {first, second}) {
        const std::string line = name + " " + checksumText(readFileBytes(album / name)) + "\n";
        EXPECT_NE(checksums.find(line), std::string::npos) << line << "\n" << checksums;
    }
}

}  // namespace
