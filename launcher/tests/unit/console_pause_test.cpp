// A console of its own, which Windows makes for a program started from
// Explorer and closes when it ends: with PauseInOwnConsole the launcher waits
// for Enter there, and nowhere else.

#include <string>
#include <vector>

#include "launch_settings.h"
#include "launcher_fixture.h"

namespace {

using Lines = std::vector<std::string>;
const char kPrompt[] = "Press Enter to close this window.";

class ConsolePauseTest : public LauncherTest {
protected:
    void SetUp() override {
        LauncherTest::SetUp();
        addRuntime("C:\\apps\\jre");
        setSetting(kShippedRuntimeDir, "C:\\apps\\jre");
        setSetting(kPauseInOwnConsole, "true");
        giveOwnConsole();
    }

    // The console that Windows makes for a program started from Explorer.
    static void giveOwnConsole() {
        world().consoleProcesses = 1;
        world().consoleWindow = true;
        world().inputIsConsole = true;
        world().outputIsConsole = true;
        world().consoleInput = "\r\n";
    }

    static bool waited() { return !world().consoleSteps.empty(); }
};

TEST_F(ConsolePauseTest, TheSettingDecides) {
    struct Case {
        const char* setting;  // nullptr: absent
        bool waits;
    };
    for (const Case& c :
         {Case{nullptr, false}, Case{"false", false}, Case{"yes", false}, Case{"true", true}, Case{"TRUE", true}}) {
        fake::reset();
        addRuntime("C:\\apps\\jre");
        setSetting(kShippedRuntimeDir, "C:\\apps\\jre");
        if (c.setting != nullptr) setSetting(kPauseInOwnConsole, c.setting);
        giveOwnConsole();
        world().exitCode = 5;

        EXPECT_EQ(run(), 5) << (c.setting ? c.setting : "absent");

        EXPECT_EQ(waited(), c.waits) << (c.setting ? c.setting : "absent");
        EXPECT_EQ(world().printed, c.waits ? Lines{kPrompt} : Lines{}) << (c.setting ? c.setting : "absent");
    }
}

// Command Prompt, PowerShell and Windows Terminal share their console with the
// program they start; a script redirects; a program without a console window
// has nothing to close.
TEST_F(ConsolePauseTest, OnlyAConsoleOfItsOwnWithAWindowHoldingInputAndOutputWaits) {
    struct Case {
        const char* name;
        unsigned long processes;
        bool window;
        bool input;
        bool output;
        bool waits;
    };
    const Case cases[] = {
        {"its own console", 1, true, true, true, true},    {"shared with a shell", 2, true, true, true, false},
        {"shared with many", 5, true, true, true, false},  {"no console window", 1, false, true, true, false},
        {"input redirected", 1, true, false, true, false}, {"output redirected", 1, true, true, false, false},
        {"both redirected", 1, true, false, false, false}, {"no console at all", 0, false, false, false, false},
    };
    for (const Case& c : cases) {
        world().consoleSteps.clear();
        world().printed.clear();
        world().consoleProcesses = c.processes;
        world().consoleWindow = c.window;
        world().inputIsConsole = c.input;
        world().outputIsConsole = c.output;

        EXPECT_EQ(run(), 0) << c.name;

        EXPECT_EQ(waited(), c.waits) << c.name;
        EXPECT_EQ(world().printed.size(), c.waits ? 1u : 0u) << c.name;
    }
}

TEST_F(ConsolePauseTest, AfterTheRunItEmptiesTheInputAsksForEnterAndEndsWithTheRuntimesStatus) {
    world().exitCode = 7;
    world().typedAhead = "\r\n";  // Enter pressed while the runtime ran
    world().consoleInput = "later keys\r\nleft";

    EXPECT_EQ(run(), 7);

    EXPECT_EQ(world().programSteps, (std::vector<std::string>{"start suspended", "assign to job", "resume", "wait"}));
    EXPECT_EQ(world().consoleSteps, (std::vector<std::string>{"empty input", "wait"}));
    EXPECT_EQ(world().printed, Lines{kPrompt}) << "the prompt has no title";
    EXPECT_EQ(world().consoleInput, "left") << "the wait ends at the first Enter typed after the prompt";
    EXPECT_EQ(world().statusOnClose, 7) << "a closed window ends the launcher with the same status";
}

TEST_F(ConsolePauseTest, TheEndOfInputEndsTheWaitToo) {
    world().consoleInput = "";
    world().exitCode = 130;

    EXPECT_EQ(run(), 130);

    EXPECT_EQ(world().consoleSteps, (std::vector<std::string>{"empty input", "wait"}));
}

TEST_F(ConsolePauseTest, ALaunchFailureWaitsAfterItsOneLine) {
    world().files.clear();
    setSetting(kLowestVersion, "1.8");
    setSetting(kMessageTitle, "Tool");

    EXPECT_EQ(run(), 1);

    EXPECT_EQ(world().printed, (Lines{"Tool: Cannot find Java 1.8", kPrompt}));
    EXPECT_EQ(world().statusOnClose, 1);

    world().printed.clear();
    world().consoleSteps.clear();
    setSetting(kMessageTitle, std::string(kTitleCapacity, 't'));
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(world().printed, (Lines{"tarvello: Setting 111 is longer than 127 characters.", kPrompt}));

    world().printed.clear();
    world().consoleSteps.clear();
    setSetting(kMessageTitle, "Tool");
    addRuntime("C:\\apps\\jre");
    world().startFails = true;
    EXPECT_EQ(run(), 1);
    ASSERT_EQ(world().printed.size(), 2u);
    EXPECT_EQ(world().printed[1], kPrompt);
    EXPECT_EQ(world().consoleSteps, (std::vector<std::string>{"empty input", "wait"}));
}

}  // namespace
