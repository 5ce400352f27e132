// How the launcher starts the runtime: suspended, tied to the launcher's
// lifetime through a job, then resumed and waited for.

#include <string>
#include <vector>

#include "launch_settings.h"
#include "launcher_fixture.h"

namespace {

using Steps = std::vector<std::string>;

class RuntimeStartTest : public LauncherTest {
protected:
    void SetUp() override {
        LauncherTest::SetUp();
        addRuntime("C:\\apps\\jre");
        setSetting(kShippedRuntimeDir, "C:\\apps\\jre");
    }
};

TEST_F(RuntimeStartTest, TheRuntimeJoinsAKillOnCloseJobBeforeItRuns) {
    world().exitCode = 42;

    EXPECT_EQ(run(), 42);

    EXPECT_EQ(world().programSteps, (Steps{"start suspended", "assign to job", "resume", "wait"}));
    EXPECT_EQ(world().openJobs, 0) << "the job is released once the runtime has ended";
    EXPECT_TRUE(world().printed.empty());
    EXPECT_TRUE(world().interruptsIgnored);
}

TEST_F(RuntimeStartTest, WhereTheLaunchersOwnJobRefusesANestedOneTheRuntimeRunsUntiedWithoutAMessage) {
    world().jobRefusesProgram = true;
    for (unsigned long status : {0UL, 7UL, 0xC000013AUL}) {
        world().exitCode = status;
        world().programSteps.clear();

        EXPECT_EQ(run(), static_cast<int>(status));

        EXPECT_EQ(world().programSteps, (Steps{"start suspended", "resume", "wait"})) << status;
        EXPECT_EQ(world().openJobs, 0) << "the refused job is closed at once";
        EXPECT_TRUE(world().printed.empty()) << status;
    }
}

TEST_F(RuntimeStartTest, WithoutAnyJobTheRuntimeRunsUntiedWithoutAMessage) {
    world().jobUnavailable = true;
    world().exitCode = 3;

    EXPECT_EQ(run(), 3);

    EXPECT_EQ(world().programSteps, (Steps{"start suspended", "resume", "wait"}));
    EXPECT_TRUE(world().printed.empty());
}

TEST_F(RuntimeStartTest, AFailedStartMakesNoJob) {
    world().startFails = true;

    EXPECT_EQ(run(), 1);

    EXPECT_TRUE(world().programSteps.empty());
    EXPECT_EQ(world().openJobs, 0);
    EXPECT_EQ(onlyLine(), "tarvello: could not start the application: The system cannot find the file specified.");
}

}  // namespace
