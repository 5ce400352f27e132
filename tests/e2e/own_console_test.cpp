// The delivered executable under Wine on a pseudo-terminal, the one place where Wine gives a
// program a console of its own: a console window handle, standard input and output on that
// console, and (as measured with Wine 8) the program alone on it. There it waits for Enter after
// the run, as in the console that Windows makes for a program started from Explorer.

#include <gtest/gtest.h>

#include "application_install.h"
#include "runtime_registration.h"
#include "temp_dir.h"
#include "terminal_run.h"
#include "tested_architecture.h"
#include "wine_run.h"

namespace fs = std::filesystem;

namespace {

const char kPrompt[] = "Press Enter to close this window.";

// What ends the wait, typed once the prompt shows.
struct Answer {
    const char* name;
    const char* keys;
};

const Answer kAnswers[] = {
    {"Enter", "\r"},
    // A Windows console's end of input: Ctrl+Z at the start of a line, then Enter.
    {"EndOfInput", "\x1a\r"},
    // Typed into the terminal, Wine's console makes it a Ctrl+C event.
    {"CtrlC", "\x03"},
};

class OwnConsole : public ::testing::TestWithParam<Answer> {};

TEST_P(OwnConsole, WaitsAfterTheRunAndEndsWithTheRuntimesStatus) {
    TempDir temp("e2e-own-console");
    const fs::path exe = installApplication(deliveredPackage(), temp.path() / "app");
    const fs::path home = temp.path() / "java home";
    installBridgeRuntime(home);
    RuntimeRegistrations registry;
    registry.addJavaSoft({RegistryRoot::machine, RegistryView::bits64}, "JRE", "17", windowsPath(home));

    // Without a music folder the application asks for one and ends with status 2.
    const TerminalRun run =
        runOnTerminal({"wine", exe.string()}, {"LC_ALL=C.UTF-8"}, {}, {}, 80, 90, {kPrompt, GetParam().keys, true});

    const size_t asked = run.screen.find("Please specify directory to work with");
    const size_t prompt = run.screen.find(kPrompt);
    if (prompt == std::string::npos && !testsThe32BitArchitecture() && run.exitStatus == 2) {
        GTEST_SKIP() << "this Wine shares the 64-bit program's console with another process, so it rightly "
                        "does not wait; only the 32-bit one is alone on its console there";
    }
    ASSERT_NE(asked, std::string::npos) << run.screen;
    EXPECT_NE(prompt, std::string::npos) << run.screen;
    EXPECT_LT(asked, prompt) << "the prompt comes after the run's output";
    EXPECT_EQ(run.exitStatus, 2) << "a launcher that kept waiting is killed (137)\n" << run.screen;
}

INSTANTIATE_TEST_SUITE_P(EndedBy, OwnConsole, ::testing::ValuesIn(kAnswers),
                         [](const ::testing::TestParamInfo<Answer>& info) { return info.param.name; });

}  // namespace
