// The packaged application under Wine with the bridge runtime shipped beside it, in the folder
// "runtime" that its settings name: every step of a real run, launcher, JVM and application.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "application_install.h"
#include "library_outcome.h"
#include "sample_run.h"
#include "temp_dir.h"
#include "tree_snapshot.h"
#include "wine_run.h"

namespace fs = std::filesystem;

namespace {

const char kBanner[] = "Quom's files renamer";

class ShippedRuntime : public ::testing::Test {
protected:
    void SetUp() override {
        exe = installApplication(shippedPackage(), appDir);
        installBridgeRuntime(appDir / "runtime");
    }

    TempDir temp{"e2e-shipped"};
    const fs::path appDir = temp.path() / "my apps" / "dovatrik";
    // With a blank in it: the launcher must hand it on as one argument.
    const fs::path root = temp.path() / "sample library";
    fs::path exe;
};

TEST_F(ShippedRuntime, TidiesEveryAlbumThroughTheRuntimeCopyNamedAfterTheExecutable) {
    generateSampleLibrary(root);
    const ExpectedRun expected = expectRun(root, sampleAlbums());

    const ProcessResult result = runInstalled(exe, {windowsPath(root)}, appDir);

    expectOutcome(result, 0, expected, root);
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(runtimeCopyIsIntact(appDir / "runtime"));
}

TEST_F(ShippedRuntime, ABrokenTagLeavesItsTrackAloneAndEndsWithStatus1) {
    generateSampleLibrary(root, {"--with-broken-tag"});
    const ExpectedRun expected = expectRun(root, sampleAlbums());

    const ProcessResult result = runInstalled(exe, {windowsPath(root)}, appDir);

    expectOutcome(result, 1, expected, root);
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_NE(result.err.find((root / "Mixed Bag" / "Broken Tag.mp3").string()), std::string::npos) << result.err;
}

// The launcher hands --dry-run on unchanged: the application shows its plan and changes nothing.
TEST_F(ShippedRuntime, ADryRunShowsThePlanAndChangesNothing) {
    generateSampleLibrary(root);
    const TreeSnapshot before = snapshotTree(root);

    const ProcessResult result = runInstalled(exe, {"--dry-run", windowsPath(root)}, appDir);

    EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(describeDifferences(before, snapshotTree(root)), "");
    const std::vector<std::string> lines = consoleLines(result.out);
    const auto startsWith = [&](const std::string& verb) {
        return std::count_if(lines.begin(), lines.end(),
                             [&](const std::string& line) { return line.rfind(verb, 0) == 0; });
    };
    // A playlist and a checksum list for each album; every track, image and info file renamed.
    std::ptrdiff_t renames = 0;
    for (const AlbumExpectation& album : sampleAlbums())
        renames += static_cast<std::ptrdiff_t>(album.tracks.size() + album.images.size() + album.infoFiles.size());
    EXPECT_EQ(startsWith("write\t"), static_cast<std::ptrdiff_t>(2 * sampleAlbums().size())) << result.out;
    EXPECT_EQ(startsWith("rename\t"), renames) << result.out;
}

// Through the launcher and the runtime, a run and then --undo give back the sample library; the
// journal in between is kept in the state folder that the environment names.
TEST_F(ShippedRuntime, ARunThenAnUndoGiveBackTheSampleLibrary) {
    generateSampleLibrary(root);
    const TreeSnapshot before = snapshotTree(root);

    const ProcessResult run = runInstalled(exe, {windowsPath(root)}, appDir);
    ASSERT_EQ(run.exitStatus, 0) << run.out << run.err;
    const fs::path journals = fs::path(std::getenv("XDG_STATE_HOME")) / "dovatrik" / "journal";
    EXPECT_FALSE(fs::is_empty(journals));
    const ProcessResult undo = runInstalled(exe, {"--undo", windowsPath(root)}, appDir);

    EXPECT_EQ(undo.exitStatus, 0) << undo.out << undo.err;
    EXPECT_EQ(undo.err, "");
    EXPECT_EQ(describeDifferences(before, snapshotTree(root)), "");
    const std::vector<std::string> lines = consoleLines(undo.out);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.rfind("restore\t", 0) == 0;
    })) << undo.out;
}

TEST_F(ShippedRuntime, WithoutArgumentAsksForADirectoryAndEndsWithStatus2) {
    const ProcessResult result = runInstalled(exe, {}, appDir);

    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(consoleLines(result.out),
              (std::vector<std::string>{kBanner, "", "Please specify directory to work with"}));
    EXPECT_EQ(result.err, "");
}

// Letters of Wine's 8-bit Windows code page reach the application unchanged on the command line
// itself, without the launcher's arguments property.
TEST_F(ShippedRuntime, ADirectoryNamedInTheWindowsCodePageArrivesWhole) {
    const fs::path music = temp.path() / "Müsik Ölçü";
    fs::create_directories(music);

    const ProcessResult result = runInstalled(exe, {windowsPath(music)}, appDir);

    EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
    EXPECT_EQ(consoleLines(result.out), (std::vector<std::string>{kBanner, "", "Directory: " + music.string(), "[]",
                                                                  "All is done for you, lame user!"}));
}

// The runtime starts in the folder the user started from, so a relative directory names a folder
// there, as for every console program, not in the executable's folder. The shipped runtime, given
// as a relative folder, is looked for in the start folder as well.
TEST_F(ShippedRuntime, ARelativeDirectoryIsTakenFromTheStartFolder) {
    const fs::path startDir = temp.path() / "start";
    const fs::path library = startDir / "library";
    installBridgeRuntime(startDir / "runtime");
    generateSampleLibrary(library);
    generateSampleLibrary(appDir / "library");
    const TreeSnapshot appLibraryBefore = snapshotTree(appDir / "library");
    const ExpectedRun expected = shownRelative(expectRun(library, sampleAlbums()), library, "library");

    const ProcessResult result = runInstalled(exe, {"library"}, startDir);

    expectOutcome(result, 0, expected, library);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(describeDifferences(appLibraryBefore, snapshotTree(appDir / "library")), "");
}

}  // namespace
