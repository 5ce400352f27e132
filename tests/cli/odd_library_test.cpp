// Runs over libraries that go wrong in ways a user meets: folders the user may not write, names
// too long for the file system, tags that give two tracks one name, track numbers of any length, and
// names that are not valid UTF-8.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "application_run.h"
#include "file_bytes.h"
#include "temp_dir.h"
#include "track_files.h"
#include "tree_snapshot.h"

namespace {

namespace fs = std::filesystem;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The names of the tracks directly inside a folder.
std::set<std::string> trackNames(const fs::path& album) {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(album))
        if (entry.path().extension() == ".mp3") names.insert(entry.path().filename().string());
    return names;
}

class OddLibrary : public ::testing::Test {
protected:
    TempDir dir{"cli"};
    const fs::path root = dir.path() / "music";
    const fs::path album = root / "Album";

    void SetUp() override { fs::create_directories(album); }
};

TEST_F(OddLibrary, AReadOnlyAlbumReportsEveryFailureAndEndsWithStatus1) {
    writeTrack(album / "Track 1.mp3", "1", "A", "B");
    writeTrack(album / "Track 2.mp3", "2", "A", "C");
    writeFileBytes(album / "Front.JPG", "image");
    writeFileBytes(album / "notes.txt", "notes");
    writeFileBytes(album / "old.m3u", "old");
    makeReadOnlyForOthers(dir.path(), album);
    const ProcessResult probe = runPackagedApplicationUnprivileged({});
    if (probe.exitStatus != 2)
        GTEST_SKIP() << "the runtime or the application cannot be run as an unprivileged user: " << probe.err;
    const TreeSnapshot before = snapshotTree(root);

    const ProcessResult result = runPackagedApplicationUnprivileged({root.string()});
    EXPECT_EQ(result.exitStatus, 1);
    const std::vector<std::string> reported = lines(result.err);
    EXPECT_EQ(reported.size(), 7u) << result.err;
    for (const auto& [oldName, newName] :
         std::vector<std::pair<std::string, std::string>>{{"Track 1.mp3", "01-a-b.mp3"},
                                                          {"Track 2.mp3", "02-a-c.mp3"},
                                                          {"Front.JPG", "00-album-front.jpg"},
                                                          {"notes.txt", "00-album.nfo"}}) {
        const std::string expected =
            "Cannot rename " + (album / oldName).string() + " to " + newName + ": AccessDeniedException";
        EXPECT_EQ(std::count(reported.begin(), reported.end(), expected), 1) << expected << "\n" << result.err;
    }
    const std::string deletion = "Cannot delete " + (album / "old.m3u").string() + ": AccessDeniedException";
    EXPECT_EQ(std::count(reported.begin(), reported.end(), deletion), 1) << result.err;
    EXPECT_TRUE(contains(result.err, "playlist")) << result.err;
    EXPECT_TRUE(contains(result.err, "checksum list")) << result.err;
    EXPECT_EQ(consoleLines(result.out).back(), kClosing);
    EXPECT_EQ(describeDifferences(before, snapshotTree(root)), "");
}

TEST_F(OddLibrary, ANameTooLongForTheFileSystemIsShortenedAndEndsWithStatus0) {
    writeTrack(album / "Track 1.mp3", "1", std::string(300, 'x'), "Title");
    writeTrack(album / "Track 2.mp3", "2", "Short", "Title");
    // The title goes first, then the artist is cut until the name has 255 bytes.
    const std::string shortened = "01-" + std::string(247, 'x') + "-.mp3";

    const ProcessResult dry = runPackagedApplication({"--dry-run", root.string()});
    EXPECT_EQ(dry.exitStatus, 0) << dry.err;
    EXPECT_TRUE(contains(dry.out, "rename\t" + (album / "Track 1.mp3").string() + "\t" + shortened + "\n")) << dry.out;

    const ProcessResult result = runPackagedApplication({root.string()});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(trackNames(album), (std::set<std::string>{shortened, "02-short-title.mp3"}));
    EXPECT_TRUE(contains(readFileBytes(album / "00-album.m3u"), shortened + "\n"));
    EXPECT_TRUE(contains(readFileBytes(album / "00-album.sfv"), shortened + " "));

    const ProcessResult second = runPackagedApplication({"--dry-run", root.string()});
    EXPECT_EQ(second.exitStatus, 0);
    EXPECT_FALSE(contains(second.out, "rename\t")) << second.out;
}

TEST_F(OddLibrary, TwoIdenticalTagsAreSettledSilently) {
    writeTrack(album / "one.mp3", "1", "A", "B");
    writeTrack(album / "two.mp3", "1", "A", "B");

    const ProcessResult result = runPackagedApplication({root.string()});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.err, "");
    const std::set<std::string> names = trackNames(album);
    EXPECT_EQ(names.size(), 2u);
    EXPECT_EQ(names.count("01-a-b.mp3"), 1u);
    EXPECT_EQ(names.count("one.mp3") + names.count("two.mp3"), 1u);
}

TEST_F(OddLibrary, ASecondRunRenamesNoTrackWhateverTheTrackNumber) {
    std::map<std::string, std::string> firstRun;  // old name -> expected new name, where the rules decide
    for (const std::string number : {"7", "42", "100", "103", "1000", "12345"}) {
        writeTrack(album / ("A1 " + number + ".mp3"), number, "Side", "T" + number);
        writeTrack(album / ("103 " + number + ".mp3"), number, "Disc", "T" + number);
        writeTrack(album / ("2005 " + number + ".mp3"), number, "Year", "T" + number);
        writeTrack(album / ("Track " + number + ".mp3"), number, "Plain", "T" + number);
        firstRun["A1 " + number + ".mp3"] = "a1-side-t" + number + ".mp3";
        firstRun["103 " + number + ".mp3"] = "103-disc-t" + number + ".mp3";
        firstRun["2005 " + number + ".mp3"] = (number == "7" ? "07" : number) + "-year-t" + number + ".mp3";
        firstRun["Track " + number + ".mp3"] = (number == "7" ? "07" : number) + "-plain-t" + number + ".mp3";
    }
    std::set<std::string> expected;
    for (const auto& [oldName, newName] : firstRun) expected.insert(newName);

    const ProcessResult first = runPackagedApplication({root.string()});
    ASSERT_EQ(first.exitStatus, 0) << first.err;
    EXPECT_EQ(trackNames(album), expected);

    const ProcessResult second = runPackagedApplication({root.string()});
    EXPECT_EQ(second.exitStatus, 0);
    EXPECT_EQ(second.err, "");
    EXPECT_EQ(trackNames(album), expected);
}

TEST_F(OddLibrary, AnAlbumFolderWhoseNameIsNotUtf8IsReported) {
    writeTrack(album / "Track 1.mp3", "1", "A", "B");
    const fs::path unreadable = root / "Bad \xff Name";
    fs::create_directory(unreadable);
    writeTrack(unreadable / "Track 1.mp3", "1", "A", "B");

    const ProcessResult result = runPackagedApplication({root.string()});
    EXPECT_EQ(result.exitStatus, 1);
    const std::vector<std::string> reported = lines(result.err);
    ASSERT_EQ(reported.size(), 1u) << result.err;
    EXPECT_EQ(reported[0].rfind("Cannot reach " + (root / "Bad \xef\xbf\xbd Name").string(), 0), 0u) << reported[0];
    EXPECT_EQ(trackNames(unreadable), (std::set<std::string>{"Track 1.mp3"}));
    EXPECT_EQ(trackNames(album), (std::set<std::string>{"01-a-b.mp3"}));
    EXPECT_EQ(consoleLines(result.out)[3], "[" + album.string() + "]");
}

// The track listing learns each entry's kind from the file system, which knows the name by its bytes:
// still a name the runtime cannot decode names no entry, and is reported once and left alone.
TEST_F(OddLibrary, ATrackWhoseNameIsNotUtf8IsReportedOnceAndTheOthersAreRenamed) {
    writeTrack(album / "Track 1.mp3", "1", "A", "B");
    writeTrack(album / "Track \xff 2.mp3", "2", "A", "C");

    const ProcessResult result = runPackagedApplication({root.string()});
    EXPECT_EQ(result.exitStatus, 1);
    const std::vector<std::string> reported = lines(result.err);
    ASSERT_EQ(reported.size(), 1u) << result.err;
    EXPECT_EQ(reported[0].rfind("Cannot reach " + (album / "Track \xef\xbf\xbd 2.mp3").string(), 0), 0u) << reported[0];
    EXPECT_EQ(trackNames(album), (std::set<std::string>{"01-a-b.mp3", "Track \xff 2.mp3"}));
}

}  // namespace
