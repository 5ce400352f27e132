// The runtime's life tied to the launcher's, under Wine: a helper inside Wine
// ends the launcher, as a task manager would, or sends Ctrl+Break to its
// console process group, as a console would.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "file_bytes.h"
#include "temp_dir.h"
#include "tested_architecture.h"
#include "wine_run.h"

namespace fs = std::filesystem;

namespace {

class RuntimeLifetimeUnderWine : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(appDir);
        fs::copy_file(fs::path(LAUNCHER_TEST_PACKAGES) / testedArchitecture() / "shipped.exe", exe);
        placeStandinRuntime(appDir / "runtime", STANDIN_JAVA_EXE);
    }

    // Runs the helper in `mode` on the launcher, whose stand-in runtime runs
    // for `runtimeMs` milliseconds and then ends with status 7.
    ProcessResult control(const std::string& mode, int runtimeMs) {
        return runUnderWine(LAUNCH_CONTROL_EXE, {mode, windowsPath(log), windowsPath(exe)}, appDir,
                            {"STANDIN_LOG=" + windowsPath(log), "STANDIN_SLEEP_MS=" + std::to_string(runtimeMs),
                             "STANDIN_EXIT=7"});
    }

    TempDir temp{"lifetime-wine"};
    fs::path appDir = temp.path() / "my app";
    fs::path exe = appDir / "shipped.exe";
    fs::path log = temp.path() / "standin.log";
};

TEST_F(RuntimeLifetimeUnderWine, AnEndedLauncherTakesItsRuntimeWithIt) {
    const ProcessResult result = control("end", 60000);

    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, "runtime=ended\r\n") << "the runtime outlived the launcher by more than a second";
    EXPECT_EQ(readStandinLog(log).size(), 1u);
}

TEST_F(RuntimeLifetimeUnderWine, CtrlBreakReachesTheRuntimeAndTheLauncherEndsWithItsStatus) {
    const ProcessResult result = control("break", 3000);

    ASSERT_EQ(result.exitStatus, 0) << result.err;
    if (result.out.rfind("break=refused", 0) == 0) {
        GTEST_SKIP() << "Wine cannot send Ctrl+Break to a console process group here: " << result.out;
    }
    EXPECT_EQ(result.out, "break=sent\r\nstatus=7\r\n") << "the launcher did not outlive the event";
    EXPECT_NE(readFileBytes(log).find("interrupt=break\n"), std::string::npos) << "the runtime got no Ctrl+Break";
}

}  // namespace
