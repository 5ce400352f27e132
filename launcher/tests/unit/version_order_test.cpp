// The one order of version texts, whatever installer spelled them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "version_order.h"

namespace {

int sign(int order) { return (order > 0) - (order < 0); }

TEST(VersionOrder, NumbersCompareByValueWhateverSeparatesThem) {
    EXPECT_LT(compareVersions("1.8.0_45", "1.8.0_301"), 0);
    EXPECT_LT(compareVersions("9.0.4", "17"), 0);
    EXPECT_LT(compareVersions("1.9.0", "1.10.0"), 0);
    EXPECT_EQ(compareVersions("1.5.0_06", "1.5.0_6"), 0);
    EXPECT_EQ(compareVersions("zulu-17", "17"), 0);
    EXPECT_EQ(compareVersions("jre-8", "8"), 0);
    EXPECT_EQ(compareVersions("21.0.5+11", "21.0.5.11"), 0);
    EXPECT_LT(compareVersions("", "0"), 0);
    EXPECT_EQ(compareVersions("", "no digits"), 0);
}

TEST(VersionOrder, ALeadingOneBeforeAnotherNumberIsDropped) {
    EXPECT_EQ(compareVersions("1.8.0_392", "8.0.392"), 0);
    EXPECT_LT(compareVersions("1.8.0_392", "8.0.392.8"), 0);
    EXPECT_LT(compareVersions("1.8.0_999", "8.0.1000.1"), 0);
    EXPECT_GT(compareVersions("1.8.0_999", "8.0.432.6"), 0);
    EXPECT_EQ(compareVersions("1.4.2", "4.2"), 0);
    EXPECT_LT(compareVersions("1.8.0_431", "21.0.5.11"), 0);
    EXPECT_GT(compareVersions("17.0.13", "11.0.21"), 0);
    // A lone 1 stays, and only a leading 1 is dropped.
    EXPECT_GT(compareVersions("1", "0.9"), 0);
    EXPECT_GT(compareVersions("1", "1.0"), 0) << "1.0 begins with 0 after the drop, 1 with 1";
    EXPECT_EQ(compareVersions("11.1", "11.1"), 0);
    EXPECT_GT(compareVersions("11", "1.9"), 0);
}

TEST(VersionOrder, ASequenceThatBeginsAnotherSortsBelowIt) {
    EXPECT_LT(compareVersions("1.4", "1.4.0"), 0);
    EXPECT_LT(compareVersions("1.5", "1.5.0"), 0);
    EXPECT_LT(compareVersions("1.5.0", "1.5.0_06"), 0);
    EXPECT_GT(compareVersions("17.0.9.9", "17.0.9"), 0);
}

TEST(VersionOrder, LongTextsAndHugeNumbersNeitherOverflowNorWrap) {
    const std::string huge(127, '9');
    EXPECT_GT(compareVersions(huge.c_str(), "18446744073709551617"), 0);
    EXPECT_LT(compareVersions("18446744073709551615", "18446744073709551616"), 0);
    EXPECT_EQ(compareVersions(("000" + std::string(124, '7')).c_str(), std::string(124, '7').c_str()), 0);
    std::string dotted;
    for (int i = 0; i < 63; ++i) dotted += "9.";
    dotted += "9";  // 127 characters
    EXPECT_LT(compareVersions(dotted.c_str(), (dotted.substr(0, 125) + "10").c_str()), 0);
    EXPECT_EQ(compareVersions(dotted.c_str(), dotted.c_str()), 0);
}

TEST(VersionOrder, IsATotalOrderOverMixedSpellings) {
    const std::vector<std::string> versions = {
        "",        "0",         "1",         "1.0",       "1.3.1",   "1.4",
        "1.4.0",   "1.4.2",     "4.2",       "1.5.0_06",  "1.5.0_6", "1.8.0_392",
        "8.0.392", "8.0.392.8", "1.8.0_999", "8.0.432.6", "1.10.0",  "9.0.4",
        "17",      "zulu-17",   "17.0.9",    "17.0.9.9",  "jre-8",   "21.0.5.11",
        "00021",   "1.1.1",     "11",        "x1x",       "1..8",    "999999999999999999999999"};
    for (const std::string& a : versions) {
        EXPECT_EQ(compareVersions(a.c_str(), a.c_str()), 0) << a;
        for (const std::string& b : versions) {
            const int ab = sign(compareVersions(a.c_str(), b.c_str()));
            EXPECT_EQ(ab, -sign(compareVersions(b.c_str(), a.c_str()))) << a << " against " << b;
            for (const std::string& c : versions) {
                const int bc = sign(compareVersions(b.c_str(), c.c_str()));
                const int ac = sign(compareVersions(a.c_str(), c.c_str()));
                if (ab <= 0 && bc <= 0) EXPECT_LE(ac, 0) << a << " <= " << b << " <= " << c;
                if (ab == 0) EXPECT_EQ(ac, bc) << a << " == " << b << " against " << c;
            }
        }
    }
}

}  // namespace
