#include <gtest/gtest.h>

#include "file_bytes.h"
#include "temp_dir.h"
#include "timed_run.h"

TEST(TimedRun, TimesAProgramInItsWorkingFolder) {
    const TempDir folder("benchmark-run");
    writeFileBytes(folder.path() / "marker", "");
    EXPECT_GE(timedRun({"sh", "-c", "sleep 0.05; test -f marker"}, folder.path()), 0.05);
}

TEST(TimedRun, AFailureCarriesTheStatusAndStandardError) {
    try {
        timedRun({"sh", "-c", "echo out; echo broken >&2; exit 3"});
        FAIL() << "no exception";
    } catch (const std::runtime_error& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("status 3"), std::string::npos) << message;
        EXPECT_NE(message.find("broken"), std::string::npos) << message;
        EXPECT_EQ(message.find("out\n"), std::string::npos) << message;
    }
    EXPECT_THROW(timedRun({"/nonexistent/program"}), std::runtime_error);
}

TEST(TimedRun, OnATerminalCountsTheStatusLines) {
    const TerminalTiming timing = timedTerminalRun(
        {"sh", "-c", "test -t 1 && sleep 0.05 && printf '\\rAlbum 1/2\\rAlbum 2/2\\r        \\rdone\\n'"});
    EXPECT_GE(timing.seconds, 0.05);
    EXPECT_EQ(timing.statusLines, 2u);
    EXPECT_THROW(timedTerminalRun({"sh", "-c", "exit 3"}), std::runtime_error);
}

TEST(TimedRun, MedianIsTheMiddleOrTheMeanOfTheTwoMiddles) {
    EXPECT_EQ(median({5, 1, 3}), 3);
    EXPECT_EQ(median({4, 1, 3, 100}), 3.5);
}
