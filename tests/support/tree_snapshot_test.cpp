#include "tree_snapshot.h"

#include <gtest/gtest.h>

#include "file_bytes.h"
#include "temp_dir.h"

namespace {

TEST(TreeSnapshot, HoldsNestedFilesAndEmptyDirectories) {
    TempDir dir("tree-snapshot");
    std::filesystem::create_directories(dir.path() / "a" / "empty");
    writeFileBytes(dir.path() / "a" / "f.txt", "one");
    writeFileBytes(dir.path() / "top", "");

    const TreeSnapshot expected{{"a/", ""}, {"a/empty/", ""}, {"a/f.txt", "one"}, {"top", ""}};
    EXPECT_EQ(snapshotTree(dir.path()), expected);
}

TEST(TreeSnapshot, DifferencesNameEachMissingUnexpectedAndChangedEntry) {
    const TreeSnapshot expected{{"same", "x"}, {"gone", ""}, {"changed", "a\nb"}};
    const TreeSnapshot actual{{"same", "x"}, {"new", ""}, {"changed", "a\r\nb"}};
    EXPECT_EQ(describeDifferences(expected, expected), "");
    EXPECT_EQ(describeDifferences(expected, actual),
              "different:  changed from byte 1\n  expected \"a\\nb\" (3 bytes)\n  actual   \"a\\x0d\\nb\" (4 bytes)\n"
              "missing:    gone\n"
              "unexpected: new\n");
}

TEST(TreeSnapshot, ALongDifferenceIsShownWhereItStarts) {
    const std::string same(200, 'x');
    const TreeSnapshot expected{{"list", same + "expected tail"}};
    const TreeSnapshot actual{{"list", same + "actual tail"}};
    const std::string shown = std::string(40, 'x');
    EXPECT_EQ(describeDifferences(expected, actual), "different:  list from byte 200\n  expected ...\"" + shown +
                                                         "expected tail\" (213 bytes)\n"
                                                         "  actual   ...\"" +
                                                         shown + "actual tail\" (211 bytes)\n");
}

}  // namespace
