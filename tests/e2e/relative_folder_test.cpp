// The delivered executable under Wine, started as a user starts it from a console in a folder
// other than its own: a relative music folder is the user's, for a run, a dry run and an undo,
// and the executable's own folder is never touched.

#include <gtest/gtest.h>

#include <algorithm>

#include "application_install.h"
#include "library_outcome.h"
#include "runtime_registration.h"
#include "sample_run.h"
#include "temp_dir.h"
#include "tree_snapshot.h"
#include "wine_run.h"

namespace fs = std::filesystem;

namespace {

// Where the user stands, below the test's folder, and the music folder as typed there.
struct RelativeFolder {
    const char* name;
    const char* startDir;
    const char* typed;
    const char* shown;  // as the application shows it: the bridge makes ..\x the host's ../x
};

const RelativeFolder kFolders[] = {
    {"Dot", "My Music", ".", "."},
    {"NameWithABlank", "", "My Music", "My Music"},
    {"Parent", "tools", "..\\My Music", "../My Music"},
};

class RelativeFolderTest : public ::testing::TestWithParam<RelativeFolder> {};

// As in the user's guide: the release unpacked to tools\dovatrik-1.1.0, the music beside tools.
TEST_P(RelativeFolderTest, NamesTheFolderFromWhereTheUserStartedIt) {
    TempDir temp("e2e-relative");
    const fs::path appDir = temp.path() / "tools" / "dovatrik-1.1.0";
    const fs::path exe = installApplication(deliveredPackage(), appDir);
    const fs::path home = temp.path() / "java home";
    installBridgeRuntime(home);
    RuntimeRegistrations registry;
    registry.addJavaSoft({RegistryRoot::machine, RegistryView::bits64}, "JRE", "17", windowsPath(home));
    const fs::path music = temp.path() / "My Music";
    generateSampleLibrary(music);
    const fs::path startDir = temp.path() / GetParam().startDir;
    const std::string typed = GetParam().typed;
    const TreeSnapshot appBefore = snapshotTree(appDir);
    const TreeSnapshot musicBefore = snapshotTree(music);
    const ExpectedRun expected = shownRelative(expectRun(music, sampleAlbums()), music, GetParam().shown);

    const ProcessResult plan = runInstalled(exe, {"--dry-run", typed}, startDir);
    EXPECT_EQ(plan.exitStatus, 0) << plan.out << plan.err;
    EXPECT_EQ(describeDifferences(musicBefore, snapshotTree(music)), "");
    const std::vector<std::string> planLines = consoleLines(plan.out);
    EXPECT_GT(std::count_if(planLines.begin(), planLines.end(),
                            [](const std::string& line) { return line.rfind("rename\t", 0) == 0; }),
              0)
        << plan.out;

    const ProcessResult run = runInstalled(exe, {typed}, startDir);
    expectOutcome(run, 0, expected, music);
    EXPECT_EQ(run.err, "");

    const ProcessResult undo = runInstalled(exe, {"--undo", typed}, startDir);
    EXPECT_EQ(undo.exitStatus, 0) << undo.out << undo.err;
    EXPECT_EQ(undo.err, "");
    EXPECT_EQ(describeDifferences(musicBefore, snapshotTree(music)), "");

    EXPECT_EQ(describeDifferences(appBefore, snapshotTree(appDir)), "") << "the executable's own folder changed";
}

INSTANTIATE_TEST_SUITE_P(AsTyped, RelativeFolderTest, ::testing::ValuesIn(kFolders),
                         [](const ::testing::TestParamInfo<RelativeFolder>& info) { return info.param.name; });

}  // namespace
