#include "crc32.h"

#include <gtest/gtest.h>

namespace {

TEST(Crc32, GivesTheStandardCheckValuesInEightDigits) {
    EXPECT_EQ(crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(checksumText(""), "00000000");
    EXPECT_EQ(checksumText("a"), "e8b7be43");
    EXPECT_EQ(checksumText(std::string(10241, '\xFF')).size(), 8u);
}

}  // namespace
