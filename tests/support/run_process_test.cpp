#include "run_process.h"

#include <gtest/gtest.h>

#include "file_bytes.h"
#include "temp_dir.h"

namespace {

ProcessResult shell(const std::string& script, const std::string& workingDir = "",
                    const std::vector<std::string>& extraEnv = {}) {
    return runProcess({"sh", "-c", script}, workingDir, extraEnv);
}

TEST(RunProcess, KeepsStreamsApartAndReportsTheExitCode) {
    const ProcessResult result = shell("printf 'to out\\n'; printf 'to err\\n' >&2; exit 3");
    EXPECT_EQ(result.exitStatus, 3);
    EXPECT_EQ(result.out, "to out\n");
    EXPECT_EQ(result.err, "to err\n");
}

TEST(RunProcess, PassesArgumentsWithBlanksAsSingleWords) {
    const ProcessResult result = runProcess({"printf", "[%s]", "a b", "", "c"});
    EXPECT_EQ(result.out, "[a b][][c]");
}

TEST(RunProcess, DoesNotStallWhenTheChildFillsStandardErrorFirst) {
    // Far more than a pipe buffer, on the stream that a naive reader would read last.
    const ProcessResult result = shell("head -c 3000000 /dev/zero >&2; head -c 2000000 /dev/zero");
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.err.size(), 3000000u);
    EXPECT_EQ(result.out.size(), 2000000u);
}

TEST(RunProcess, ReportsAKillingSignalAbove128) { EXPECT_EQ(shell("kill -TERM $$").exitStatus, 128 + 15); }

TEST(RunProcess, StandardInputIsEmpty) { EXPECT_EQ(shell("wc -c").out, "0\n"); }

TEST(RunProcess, RunsInTheGivenDirectoryWithTheExtraVariables) {
    TempDir dir("run-process");
    const ProcessResult result =
        shell("pwd; printf '%s\\n' \"$EXTRA_ONE\"; env | grep -c '^HOME='; printf '%s\\n' \"$HOME\"",
              dir.path().string(), {"EXTRA_ONE=a = b", "HOME=/elsewhere"});
    EXPECT_EQ(result.out, dir.path().string() + "\na = b\n1\n/elsewhere\n");
}

TEST(RunProcess, AProgramThatCannotStartGives127AndAReason) {
    const ProcessResult missing = runProcess({"no-such-program-anywhere"});
    EXPECT_EQ(missing.exitStatus, 127);
    EXPECT_NE(missing.err.find("no-such-program-anywhere"), std::string::npos);

    const ProcessResult badDir = runProcess({"true"}, "/no/such/directory");
    EXPECT_EQ(badDir.exitStatus, 127);
    EXPECT_NE(badDir.err.find("/no/such/directory"), std::string::npos);
}

TEST(RunProcessToFiles, WritesTheStreamsToFilesInTheGivenDirectory) {
    TempDir dir("run-process");
    const int status = runProcessToFiles({"sh", "-c", "pwd; printf '%s' \"$EXTRA_ONE\" >&2; exit 4"},
                                         dir.path() / "out", dir.path() / "err", dir.path().string(), {"EXTRA_ONE=x"});
    EXPECT_EQ(status, 4);
    EXPECT_EQ(readFileBytes(dir.path() / "out"), dir.path().string() + "\n");
    EXPECT_EQ(readFileBytes(dir.path() / "err"), "x");

    EXPECT_EQ(runProcessToFiles({"no-such-program-anywhere"}, "/dev/null", dir.path() / "err"), 127);
    EXPECT_NE(readFileBytes(dir.path() / "err").find("no-such-program-anywhere"), std::string::npos);
}

}  // namespace
