// The packaged application under Wine, whose 8-bit code page in a C or English locale is the
// Western one (1252), with folders and a runtime named in scripts that code page lacks, and an
// argument that best fit would change: the bridge runtime reads its command line through that
// code page as a real java.exe does, so only what the launcher makes of these names reaches it.

#include <gtest/gtest.h>

#include "application_install.h"
#include "library_outcome.h"
#include "runtime_registration.h"
#include "sample_run.h"
#include "temp_dir.h"
#include "tree_snapshot.h"
#include "wine_run.h"

namespace fs = std::filesystem;

namespace {

class AnyScript : public ::testing::Test {
protected:
    // Tidies the sample library in `root` with the executable `exe`, started from `startDir`.
    static void expectTidied(const fs::path& exe, const fs::path& root, const fs::path& startDir) {
        generateSampleLibrary(root);
        const ExpectedRun expected = expectRun(root, sampleAlbums());
        const ProcessResult result = runInstalled(exe, {windowsPath(root)}, startDir);
        expectOutcome(result, 0, expected, root);
        EXPECT_EQ(result.err, "");
    }

    TempDir temp{"e2e-any-script"};
};

// Cyrillic and Japanese are outside the code page; 'ă' is outside it too, and best fit would
// make it 'a', naming another folder.
TEST_F(AnyScript, TidiesALibraryWhoseFolderIsNamedInAnyScript) {
    const fs::path appDir = temp.path() / "app";
    const fs::path exe = installApplication(shippedPackage(), appDir);
    installBridgeRuntime(appDir / "runtime");
    for (const char* name : {"Музыка", "東京 Live", "Muzică"}) {
        SCOPED_TRACE(name);
        expectTidied(exe, temp.path() / name, appDir);
    }
}

TEST_F(AnyScript, RunsFromAFolderNamedInAnyScript) {
    const fs::path appDir = temp.path() / "Программы" / "東京 Live";
    const fs::path exe = installApplication(shippedPackage(), appDir);
    installBridgeRuntime(appDir / "runtime");

    expectTidied(exe, temp.path() / "sample library", appDir);
    EXPECT_TRUE(runtimeCopyIsIntact(appDir / "runtime"));
}

TEST_F(AnyScript, StartsARuntimeRegisteredForOneUserWhoseFolderIsNamedInAnyScript) {
    const fs::path exe = installApplication(deliveredPackage(), temp.path() / "app");
    const fs::path home = temp.path() / "Пользователь" / "jdk-17";
    installBridgeRuntime(home);
    RuntimeRegistrations registry;
    registry.addJavaSoft({RegistryRoot::user, RegistryView::bits64}, "JRE", "17", windowsPath(home));

    expectTidied(exe, temp.path() / "Музыка", temp.path());
    EXPECT_TRUE(runtimeCopyIsIntact(home));
}

// A folder named outside the code page that does not exist has no short name, so it reaches the
// runtime as question marks, which a real java.exe takes for a pattern where they stand outside
// double quotes: expanded, the folders whose names have as many letters would come before the
// words that the property stands in for, and the first of them would be tidied.
TEST_F(AnyScript, AMissingFolderNamedOutsideTheCodePageIsNotTakenForAPattern) {
    const fs::path appDir = temp.path() / "app";
    const fs::path exe = installApplication(shippedPackage(), appDir);
    installBridgeRuntime(appDir / "runtime");
    // Six letters each, as "Музыка" has: "??????" matches both.
    const std::vector<fs::path> neighbours = {temp.path() / "Albums", temp.path() / "Tracks"};
    std::vector<TreeSnapshot> before;
    for (const fs::path& neighbour : neighbours) {
        generateSampleLibrary(neighbour);
        before.push_back(snapshotTree(neighbour));
    }
    const fs::path music = temp.path() / "Музыка";

    const ProcessResult result = runInstalled(exe, {windowsPath(music)}, appDir);

    EXPECT_EQ(result.exitStatus, 1) << result.out << result.err;
    EXPECT_EQ(consoleLines(result.out),
              (std::vector<std::string>{"Quom's files renamer", "", "Directory: " + music.string(),
                                        "Don't fool me - this is not a directory"}));
    for (size_t i = 0; i < neighbours.size(); ++i) {
        EXPECT_EQ(describeDifferences(before[i], snapshotTree(neighbours[i])), "") << neighbours[i];
    }
}

}  // namespace
