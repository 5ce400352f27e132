#include "library_outcome.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>

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

namespace {

bool isList(const std::string& path) {
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower.size() > 4 && (lower.substr(lower.size() - 4) == ".m3u" || lower.substr(lower.size() - 4) == ".sfv");
}

}  // namespace

TreeSnapshot withSortedLists(TreeSnapshot tree) {
    for (auto& [path, bytes] : tree) {
        if (!isList(path)) continue;
        std::vector<std::string> sorted;
        std::istringstream in(bytes);
        for (std::string line; std::getline(in, line);) sorted.push_back(line);
        std::sort(sorted.begin(), sorted.end());
        bytes.clear();
        for (const std::string& line : sorted) bytes += line + "\n";
    }
    return tree;
}
