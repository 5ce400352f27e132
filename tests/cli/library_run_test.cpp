#include <gtest/gtest.h>

#include <algorithm>

#include "application_run.h"
#include "library_outcome.h"
#include "sample_expectations.h"
#include "temp_dir.h"
#include "tree_snapshot.h"

namespace {

namespace fs = std::filesystem;

class LibraryRun : public ::testing::Test {
protected:
    void SetUp() override { generateSampleLibrary(root); }

    TempDir dir{"cli"};
    // With a blank in it: java -jar hands the path over as one argument.
    const fs::path root = dir.path() / "sample library";
};

TEST_F(LibraryRun, FirstRunTidiesEveryAlbumAndReportsIt) {
    const ExpectedRun expected = expectRun(root, sampleAlbums());
    const ProcessResult result = runPackagedApplication({root.string()});
    expectOutcome(result, 0, expected, root);
    EXPECT_EQ(result.err, "");

    for (const AlbumExpectation& album : sampleAlbums()) {
        const std::string list = "00-" + album.text + ".sfv";
        for (const std::vector<std::string>& checker : {std::vector<std::string>{"cksfv", "-q", "-f", list},
                                                        std::vector<std::string>{"rhash", "--check", list}}) {
            const ProcessResult check = runProcess(checker, (root / album.folder).string());
            EXPECT_EQ(check.exitStatus, 0) << checker.front() << " in " << album.folder << ":\n"
                                           << check.out << check.err;
        }
    }
}

TEST_F(LibraryRun, SecondRunOverTheResultChangesNothing) {
    ASSERT_EQ(runPackagedApplication({root.string()}).exitStatus, 0);
    const TreeSnapshot afterFirstRun = snapshotTree(root);
    const ExpectedRun expected = expectRun(root, expectationsForRerun(sampleAlbums()));

    const ProcessResult result = runPackagedApplication({root.string()});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(consoleLines(result.out), expected.consoleLines);
    const TreeSnapshot afterSecondRun = snapshotTree(root);
    EXPECT_EQ(describeDifferences(expected.tree, afterSecondRun), "");
    EXPECT_EQ(describeDifferences(withSortedLists(afterFirstRun), withSortedLists(afterSecondRun)), "");
}

TEST_F(LibraryRun, ABrokenTagLeavesItsTrackAloneAndEndsWithStatus1) {
    fs::remove_all(root);
    generateSampleLibrary(root, {"--with-broken-tag"});
    const ExpectedRun expected = expectRun(root, sampleAlbums());

    const ProcessResult result = runPackagedApplication({root.string()});
    expectOutcome(result, 1, expected, root);
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_NE(result.err.find((root / "Mixed Bag" / "Broken Tag.mp3").string()), std::string::npos) << result.err;
}

}  // namespace
