#include "tree_snapshot.h"

#include <gtest/gtest.h>

#include "file_bytes.h"
#include "temp_dir.h"

namespace {

TEST(TreeSnapshot, HoldsNestedFilesAndEmptyDirectories)
{
    TempDir dir("tree-snapshot");
    std::filesystem::create_directories(dir.path() / "a" / "empty");
    writeFileBytes(dir.path() / "a" / "f.txt", "one");
    writeFileBytes(dir.path() / "top", "");

    const TreeSnapshot expected{{"a/", ""}, {"a/empty/", ""}, {"a/f.txt", "one"}, {"top", ""}};
    EXPECT_EQ(snapshotTree(dir.path()), expected);
}

TEST(TreeSnapshot, DifferencesNameEachMissingUnexpectedAndChangedEntry)
{
    const TreeSnapshot expected{{"same", "x"}, {"gone", ""}, {"changed", "a\nb"}};
    const TreeSnapshot actual{{"same", "x"}, {"new", ""}, {"changed", "a\r\nb"}};
    EXPECT_EQ(describeDifferences(expected, expected), "");
    EXPECT_EQ(describeDifferences(expected, actual),
              "different:  changed\n  expected \"a\\nb\" (3 bytes)\n  actual   \"a\\x0d\\nb\" (4 bytes)\n"
              "missing:    gone\n"
              "unexpected: new\n");
}

} // namespace
