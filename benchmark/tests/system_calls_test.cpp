#include <gtest/gtest.h>

#include <sstream>

#include "file_bytes.h"
#include "system_calls.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

TEST(FileSystemCalls, CountsTheRowsOfTheKindsCountedAndNoOthers) {
    std::istringstream summary(
        "% time     seconds  usecs/call     calls    errors syscall\n"
        "------ ----------- ----------- --------- --------- ------------------\n"
        " 92.93    7.005525        1877      3731       225 futex\n"
        "  1.31    0.099116           1     50365           read\n"
        "  0.80    0.060082           2     20707      5200 statx\n"
        "  0.64    0.048159           4     11124        81 openat\n"
        "  0.14    0.010736           2      5200           link\n"
        "  0.01    0.001248           1       855       853 readlink\n"
        "  0.00    0.000000           0         3         3 ioctl\n"
        "------ ----------- ----------- --------- --------- ------------------\n"
        "100.00    7.538468          52    151318      6921 total\n");
    EXPECT_EQ(countFileSystemCalls(summary), 50365u + 20707 + 11124 + 5200 + 855);
}

TEST(FileSystemCalls, NamesEveryFormOfTheCallsCounted) {
    for (const char* name : {"openat", "read", "pread64", "write", "close", "newfstatat", "statx", "lseek", "renameat2",
                             "linkat", "unlink", "getdents64", "readlink"})
        EXPECT_TRUE(isFileSystemCall(name)) << name;
    for (const char* name : {"futex", "mmap", "ioctl", "total", "mprotect"})
        EXPECT_FALSE(isFileSystemCall(name)) << name;
}

// dd copying a file in pieces makes one read and one write a piece: halving the pieces adds as many
// calls as there were pieces, twice, whatever dd does besides.
TEST(FileSystemCalls, AStraceSummaryOfARealProgramCountsItsReadsAndWrites) {
    const TempDir folder("benchmark-calls");
    const fs::path file = folder.path() / "data";
    writeFileBytes(file, std::string(50000, 'x'));
    auto copied = [&](const char* pieceBytes) {
        return tracedFileSystemCalls({"dd", "if=" + file.string(), "of=" + (folder.path() / "copy").string(),
                                      std::string("bs=") + pieceBytes, "status=none"},
                                     {}, folder.path());
    };
    EXPECT_EQ(copied("5000") - copied("10000"), 2u * 5);
}
