// The launcher's run from its arguments to its exit status.

#include <string>

#include "launch_settings.h"
#include "launcher_fixture.h"

namespace {

const char kExe[] = "C:\\apps\\tool.exe";
const char kJre[] = "C:\\apps\\jre";

class LaunchFlowTest : public LauncherTest {
protected:
    void SetUp() override {
        LauncherTest::SetUp();
        addRuntime(kJre);
    }
    void shipRuntime() { setSetting(kShippedRuntimeDir, kJre); }
};

TEST_F(LaunchFlowTest, StartsTheShippedRuntimeOnItsOwnExecutable) {
    shipRuntime();
    world().exitCode = 0;
    EXPECT_EQ(run({"D:\\music"}), 0);
    ASSERT_EQ(world().started.size(), 1u);
    EXPECT_EQ(world().started[0].program, "C:\\apps\\jre\\bin\\java.exe");
    EXPECT_EQ(world().started[0].commandLine, "\"C:\\apps\\jre\\bin\\java.exe\" -jar \"C:\\apps\\tool.exe\" D:\\music");
    EXPECT_TRUE(world().printed.empty());
    EXPECT_TRUE(world().interruptsIgnored);
    EXPECT_TRUE(world().changedDirectories.empty());
    EXPECT_EQ(world().openModules, 0);
    EXPECT_EQ(state.runtimeExeSize, 4096);
}

TEST_F(LaunchFlowTest, WithoutArgumentsTheCommandLineEndsWithTheArchivePathOrAppArguments) {
    shipRuntime();
    run();
    EXPECT_EQ(startedCommandLine(), "\"C:\\apps\\jre\\bin\\java.exe\" -jar \"C:\\apps\\tool.exe\"");
    fake::world().started.clear();
    setSetting(kAppArguments, "--fixed \"a b\"");
    run();
    EXPECT_EQ(startedCommandLine(), "\"C:\\apps\\jre\\bin\\java.exe\" -jar \"C:\\apps\\tool.exe\" --fixed \"a b\"");
}

TEST_F(LaunchFlowTest, RuntimeOptionsAndAppArgumentsAreVerbatimUserArgumentsQuoted) {
    shipRuntime();
    setSetting(kRuntimeOptions, "-Xmx64m -Dname=\"x y\"");
    setSetting(kAppArguments, "--fixed");
    run({"D:\\my music", "say \"hi\"", "end\\"});
    EXPECT_EQ(startedCommandLine(),
              "\"C:\\apps\\jre\\bin\\java.exe\" -Xmx64m -Dname=\"x y\" -jar \"C:\\apps\\tool.exe\" --fixed "
              "\"D:\\my music\" \"say \\\"hi\\\"\" end\\");
}

TEST_F(LaunchFlowTest, ExitStatusOfTheRuntimeIsPassedOnWhateverItIs) {
    shipRuntime();
    for (unsigned long status : {0UL, 7UL, 255UL, 0xFFFFFFFFUL}) {
        world().exitCode = status;
        world().printed.clear();
        EXPECT_EQ(run(), static_cast<int>(status));
        EXPECT_TRUE(world().printed.empty()) << "status " << status;
    }
}

TEST_F(LaunchFlowTest, AFailedStartPrintsTheSystemsTextAndEndsWithOne) {
    shipRuntime();
    setSetting(kMessageTitle, "Tool");
    world().startFails = true;
    world().startError = "Access is denied.";
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(onlyLine(), "Tool: could not start the application: Access is denied.");
}

TEST_F(LaunchFlowTest, StartInExeDirChangesToTheExecutablesFolderJustBeforeTheStart) {
    shipRuntime();
    setSetting(kStartInExeDir, "True");
    run();
    ASSERT_EQ(world().started.size(), 1u);
    EXPECT_EQ(world().started[0].workingDir, "C:\\apps");
}

TEST_F(LaunchFlowTest, AnExecutableInADriveRootStartsInThatRoot) {
    world().exePath = "C:\\tool.exe";
    shipRuntime();
    setSetting(kStartInExeDir, "true");
    run();
    ASSERT_EQ(world().started.size(), 1u);
    EXPECT_EQ(world().started[0].workingDir, "C:\\");
}

TEST_F(LaunchFlowTest, ARelativeShippedRuntimeIsTheOneBesideTheStartDirectoryAlsoAfterTheChange) {
    addRuntime("C:\\start\\jre");
    setSetting(kShippedRuntimeDir, "jre");
    setSetting(kStartInExeDir, "true");
    run();
    ASSERT_EQ(world().started.size(), 1u);
    EXPECT_EQ(world().started[0].program, "C:\\start\\jre\\bin\\java.exe");
    EXPECT_EQ(world().started[0].workingDir, "C:\\apps");
}

TEST_F(LaunchFlowTest, TheFirstTwoMessagesAlwaysCarryTheDefaultTitle) {
    setSetting(kMessageTitle, "Tool");
    world().exePathAvailable = false;
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(onlyLine(), "tarvello: Cannot determinate exe file name.");

    fake::reset();
    setSetting(kMessageTitle, "Tool");
    world().moduleOpens = false;
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(onlyLine(), std::string("tarvello: Cannot find file: ") + kExe);
}

TEST_F(LaunchFlowTest, NoSettingsAtAllFailsForWantOfTheLowestVersion) {
    EXPECT_EQ(run({"x"}), 1);
    EXPECT_EQ(onlyLine(), "tarvello: Cannot find bundled JRE or javaw.exe is missing.");
    EXPECT_TRUE(world().started.empty());
    EXPECT_EQ(world().openModules, 0);
}

TEST_F(LaunchFlowTest, AnEmptyOrUnusableShippedRuntimeLeadsToTheRegistrySearch) {
    setSetting(kMessageTitle, "Tool");
    setSetting(kShippedRuntimeDir, "");
    setSetting(kLowestVersion, "1.4.0");
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(onlyLine(), "Tool: Cannot find Java 1.4.0");
    ASSERT_EQ(world().openedAddresses.size(), 1u);
    EXPECT_EQ(world().openedAddresses[0].rfind("https://", 0), 0u);

    fake::reset();
    setSetting(kShippedRuntimeDir, "C:\\nowhere");
    setSetting(kLowestVersion, "1.4.0");
    setSetting(kHighestVersion, "1.5.0");
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(onlyLine(), "tarvello: Cannot find Java 1.4.0 - 1.5.0");
}

TEST_F(LaunchFlowTest, AUsableShippedRuntimeNeedsNoLowestVersion) {
    shipRuntime();
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(world().openedAddresses.empty());
    EXPECT_STREQ(state.lowestVersion, "");
}

TEST_F(LaunchFlowTest, OverlongSettingsEndTheLaunchWithOneLine) {
    shipRuntime();
    setSetting(kAppArguments, std::string(1024, 'a'));
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(onlyLine(), "tarvello: Setting 202 is longer than 1023 characters.");
    EXPECT_TRUE(world().started.empty());

    fake::reset();
    setSetting(kMessageTitle, std::string(128, 't'));
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(onlyLine(), "tarvello: Setting 111 is longer than 127 characters.");
}

TEST_F(LaunchFlowTest, APathOrCommandLineThatWouldNotFitIsRefusedNotCut) {
    const std::string longHome = "C:\\" + std::string(250, 'j');  // fits its field, not with \bin\java.exe
    setSetting(kShippedRuntimeDir, longHome);
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(onlyLine(), "tarvello: Path of the bundled JRE is too long: " + longHome);

    fake::reset();
    addRuntime(kJre);
    shipRuntime();
    setSetting(kRuntimeOptions, std::string(1500, 'o'));
    setSetting(kAppArguments, std::string(600, 'a'));
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(onlyLine(), "tarvello: The command line is longer than 2047 characters.");

    fake::reset();
    addRuntime(kJre);
    shipRuntime();
    EXPECT_EQ(run({std::string(600, 'x'), std::string(600, 'y')}), 1);
    EXPECT_EQ(onlyLine(), "tarvello: The arguments are longer than 1023 characters.");
    EXPECT_TRUE(world().started.empty());
}

}  // namespace
