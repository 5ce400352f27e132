#include <gtest/gtest.h>

#include <algorithm>
#include <system_error>

#include "directory_listing.h"
#include "file_bytes.h"
#include "temp_dir.h"

namespace {

TEST(FileHelpers, BytesRoundTripIncludingZerosAndHighBytes) {
    TempDir dir("file-helpers");
    const std::string bytes("\0\xff\r\nx\0", 6);
    writeFileBytes(dir.path() / "f.bin", bytes);
    EXPECT_EQ(readFileBytes(dir.path() / "f.bin"), bytes);
    EXPECT_THROW(readFileBytes(dir.path() / "missing"), std::runtime_error);
}

TEST(FileHelpers, ListingHoldsEveryEntryButTheDotEntries) {
    TempDir dir("file-helpers");
    writeFileBytes(dir.path() / "b.mp3", "");
    writeFileBytes(dir.path() / "Ä a.txt", "");
    std::filesystem::create_directory(dir.path() / "sub");

    std::vector<std::string> names = listDirectory(dir.path());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"b.mp3", "sub", "Ä a.txt"}));
    EXPECT_THROW(listDirectory(dir.path() / "missing"), std::system_error);
}

TEST(FileHelpers, TempDirIsRemovedWithItsContent) {
    std::filesystem::path kept;
    {
        TempDir dir("file-helpers");
        kept = dir.path();
        std::filesystem::create_directories(kept / "a" / "b");
        writeFileBytes(kept / "a" / "b" / "f", "x");
        EXPECT_TRUE(std::filesystem::is_directory(kept));
    }
    EXPECT_FALSE(std::filesystem::exists(kept));
}

}  // namespace
