#include <gtest/gtest.h>

#include "application_run.h"
#include "file_bytes.h"
#include "temp_dir.h"
#include "tree_snapshot.h"

namespace {

namespace fs = std::filesystem;

const char kBanner[] = "Quom's files renamer";

TEST(Console, WithoutArgumentAsksForADirectoryAndExitsWith2) {
    const ProcessResult result = runPackagedApplication({});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(consoleLines(result.out),
              (std::vector<std::string>{kBanner, "", "Please specify directory to work with"}));
    EXPECT_EQ(result.err, "");
}

// The version the build set, in one line and without the banner, whatever follows it.
TEST(Console, VersionAsTheFirstArgumentPrintsTheProductAndItsVersion) {
    const ProcessResult result = runPackagedApplication({"--version", "ignored"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "Dovatrik " PROJECT_VERSION "\n");
    EXPECT_EQ(result.err, "");
}

TEST(Console, AFileOrAMissingPathIsNotADirectoryAndExitsWith1) {
    TempDir dir("cli");
    const fs::path track = dir.path() / "Track 1.mp3";
    writeFileBytes(track, "ID3 not really");
    for (const fs::path& path : {track, dir.path() / "missing"}) {
        SCOPED_TRACE(path.string());
        const ProcessResult result = runPackagedApplication({path.string()});
        EXPECT_EQ(result.exitStatus, 1);
        EXPECT_EQ(consoleLines(result.out), (std::vector<std::string>{kBanner, "", "Directory: " + path.string(),
                                                                      "Don't fool me - this is not a directory"}));
        EXPECT_EQ(result.err, "");
    }
    EXPECT_EQ(snapshotTree(dir.path()), (TreeSnapshot{{"Track 1.mp3", "ID3 not really"}}));
}

TEST(Console, AnEmptyDirectoryGivesAnEmptyListAndLaterArgumentsAreIgnored) {
    TempDir dir("cli");
    const fs::path empty = dir.path() / "empty";
    const fs::path library = dir.path() / "library";
    fs::create_directory(empty);
    generateSampleLibrary(library);
    const TreeSnapshot before = snapshotTree(dir.path());

    const ProcessResult result = runPackagedApplication({empty.string(), library.string()});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(consoleLines(result.out), (std::vector<std::string>{kBanner, "", "Directory: " + empty.string(), "[]",
                                                                  "All is done for you, lame user!"}));
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(describeDifferences(before, snapshotTree(dir.path())), "");
}

}  // namespace
