#include "library_outcome.h"

#include <gtest/gtest.h>

#include "sample_run.h"
#include "tree_snapshot.h"

void expectOutcome(const ProcessResult& result, int exitStatus, const ExpectedRun& expected,
                   const std::filesystem::path& root) {
    EXPECT_EQ(result.exitStatus, exitStatus) << result.out << result.err;
    EXPECT_EQ(consoleLines(result.out), expected.consoleLines);
    EXPECT_EQ(describeDifferences(expected.tree, snapshotTree(root)), "");
}

ExpectedRun shownRelative(ExpectedRun expected, const std::filesystem::path& root, const std::string& shownAs) {
    const std::string absolute = root.string();
    for (std::string& line : expected.consoleLines) {
        for (size_t at = line.find(absolute); at != std::string::npos; at = line.find(absolute, at + shownAs.size()))
            line.replace(at, absolute.size(), shownAs);
    }
    return expected;
}
