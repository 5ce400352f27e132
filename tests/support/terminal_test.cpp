// The pseudo-terminal runner and the small terminal that renders what a program left on the screen.
#include <gtest/gtest.h>

#include <stdexcept>

#include "file_bytes.h"
#include "temp_dir.h"
#include "terminal_run.h"
#include "terminal_screen.h"

namespace {

using Lines = std::vector<std::string>;

TEST(TerminalScreen, ACarriageReturnLetsTheNextTextOverwriteTheRow) {
    EXPECT_EQ(renderScreen("status line\rnew\r\nnext\r\n", 80), (Lines{"newtus line", "next"}));
    EXPECT_EQ(renderScreen("status\r      \rline\r\n", 80), (Lines{"line"}));
}

TEST(TerminalScreen, ALineFeedKeepsTheColumnAndBackspaceStepsBack) {
    EXPECT_EQ(renderScreen("ab\ncd\bX", 80), (Lines{"ab", "  cX"}));
}

TEST(TerminalScreen, ATabMovesToTheNextStopOverWhatIsThere) {
    EXPECT_EQ(renderScreen("abcdefghij\rx\ty\r\n", 80), (Lines{"xbcdefghyj"}));
    EXPECT_EQ(renderScreen("a\t\tb\r\n", 80), (Lines{"a               b"}));
    EXPECT_EQ(renderScreen("abcdefg\tb\r\n", 9), (Lines{"abcdefg b"}));
    EXPECT_EQ(renderScreen("abcdefgh\tb\r\n", 9), (Lines{"abcdefghb"}));
}

TEST(TerminalScreen, ALongLineWrapsAndIsJoinedAgain) {
    EXPECT_EQ(renderScreen("abcdefg\r\nh\r\n", 3), (Lines{"abcdefg", "h"}));
}

// A line exactly as wide as the terminal leaves the cursor at its edge: a carriage return then goes
// back to that line's start, as terminals do, not to the next row's.
TEST(TerminalScreen, TheCursorWaitsAtTheEdgeUntilACharacterComes) {
    EXPECT_EQ(renderScreen("abc\r   \rxy\r\n", 3), (Lines{"xy"}));
    EXPECT_EQ(renderScreen("abc\r\n", 3), (Lines{"abc"}));
    EXPECT_EQ(renderScreen("abcd", 3), (Lines{"abcd"}));
}

TEST(TerminalScreen, ACharacterTakesOneColumnWhateverItsLength) {
    EXPECT_EQ(renderScreen("\xc3\x96l\xc3\xa7\xc3\xbc\r\xe6\x9d\xb1\r\n", 80),
              (Lines{"\xe6\x9d\xb1l\xc3\xa7\xc3\xbc"}));
}

TEST(TerminalScreen, EscapeSequencesAndOtherControlsAreRefused) {
    EXPECT_THROW(renderScreen("a\x1b[2Kb", 80), std::runtime_error);
    EXPECT_THROW(renderScreen("a\ab", 80), std::runtime_error);
}

TEST(RunOnTerminal, AllThreeStreamsAreTheTerminalOfTheGivenWidth) {
    const TerminalRun run = runOnTerminal(
        {"sh", "-c", "test -t 0 && test -t 1 && test -t 2 && stty size && echo err >&2; exit 3"}, {}, {}, {}, 100);
    EXPECT_EQ(run.exitStatus, 3);
    EXPECT_EQ(run.screen, "24 100\r\nerr\r\n");
}

TEST(RunOnTerminal, AStreamGivenAFileWritesThereAndTheOthersStayOnTheTerminal) {
    TempDir dir("terminal");
    const auto out = dir.path() / "out";
    const auto err = dir.path() / "err";
    const TerminalRun toFiles = runOnTerminal(
        {"sh", "-c", "test -t 1 || echo 'out is a file'; test -t 2 && echo 'err is the terminal' >&2"}, {}, out);
    EXPECT_EQ(toFiles.exitStatus, 0);
    EXPECT_EQ(readFileBytes(out), "out is a file\n");
    EXPECT_EQ(toFiles.screen, "err is the terminal\r\n");

    const TerminalRun errToFile =
        runOnTerminal({"sh", "-c", "echo \"$GREETING\"; echo error >&2"}, {"GREETING=hello"}, {}, err);
    EXPECT_EQ(readFileBytes(err), "error\n");
    EXPECT_EQ(errToFile.screen, "hello\r\n");
}

TEST(RunOnTerminal, AnAnswerIsTypedOnceItsPromptShows) {
    const TerminalRun run =
        runOnTerminal({"sh", "-c", "printf 'name? '; read a; echo \"got $a\"; read b; echo \"then $b\""}, {}, {}, {},
                      80, 2, {"name? ", "x\n"});
    EXPECT_EQ(run.exitStatus, 128 + 9) << "the second read gets no answer";
    EXPECT_EQ(run.screen, "name? x\r\ngot x\r\n");
}

TEST(RunOnTerminal, AnAnswerWhenRawWaitsUntilTheProgramReadsTheTerminalRaw) {
    // Typed at once, in the terminal's line mode, the carriage return would arrive as a line feed.
    const TerminalRun run = runOnTerminal({"sh", "-c", "printf 'key? '; sleep 0.5; stty raw; head -c 1 | od -An -c"},
                                          {}, {}, {}, 80, 10, {"key? ", "\r", true});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_NE(run.screen.find("\\r"), std::string::npos) << run.screen;
}

TEST(RunOnTerminal, AProgramThatRunsTooLongIsKilled) {
    EXPECT_EQ(runOnTerminal({"sleep", "30"}, {}, {}, {}, 80, 1).exitStatus, 128 + 9);
}

TEST(RunOnTerminal, AProgramThatCannotStartGives127) {
    EXPECT_EQ(runOnTerminal({"/nonexistent/program"}).exitStatus, 127);
}

}  // namespace
