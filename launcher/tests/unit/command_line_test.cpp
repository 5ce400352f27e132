// Quoting the user's arguments so that the runtime receives each one whole.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_line.h"
#include "fake_platform.h"

namespace {

std::string quoted(const char* argument) {
    char line[64] = "";
    EXPECT_TRUE(appendQuotedArgument(line, sizeof line, argument));
    return line;
}

TEST(QuotingTest, PlainArgumentsStayAsTheyAre) {
    EXPECT_EQ(quoted("D:\\music"), "D:\\music");
    EXPECT_EQ(quoted("a\\\\b\\"), "a\\\\b\\");  // backslashes are literal outside quotes
}

TEST(QuotingTest, BlanksTabsAndEmptyArgumentsAreQuoted) {
    EXPECT_EQ(quoted("D:\\my music"), "\"D:\\my music\"");
    EXPECT_EQ(quoted("a\tb"), "\"a\tb\"");
    EXPECT_EQ(quoted(""), "\"\"");
}

// A real java.exe would replace an unquoted one by the names of the files it matches.
TEST(QuotingTest, WildcardsAreQuoted) {
    EXPECT_EQ(quoted("*.mp3"), "\"*.mp3\"");
    EXPECT_EQ(quoted("D:\\??????"), "\"D:\\??????\"");
    EXPECT_EQ(quoted("?"), "\"?\"");
    EXPECT_EQ(quoted("D:\\a*\\"), "\"D:\\a*\\\\\"") << "the trailing backslash is doubled inside quotes";
    EXPECT_EQ(quoted("*\"x"), "\"*\\\"x\"");
}

TEST(QuotingTest, QuotesAndTheBackslashesBeforeThemAreEscaped) {
    EXPECT_EQ(quoted("say \"hi\""), "\"say \\\"hi\\\"\"");
    EXPECT_EQ(quoted("a\\\"b"), "\"a\\\\\\\"b\"");
    // A trailing backslash inside quotes is doubled, or it would escape the closing quote.
    EXPECT_EQ(quoted("D:\\my music\\"), "\"D:\\my music\\\\\"");
    EXPECT_EQ(quoted("x \\\\"), "\"x \\\\\\\\\"");
}

TEST(QuotingTest, TooLongArgumentFailsAndLeavesTheTextAsItWas) {
    char line[12] = "abc";
    EXPECT_FALSE(appendQuotedArgument(line, sizeof line, "a b c d e f"));
    EXPECT_STREQ(line, "abc");
    EXPECT_TRUE(appendQuotedArgument(line, sizeof line, "a b cd"));  // exactly fills the field
    EXPECT_STREQ(line, "abc\"a b cd\"");
}

TEST(QuotingTest, JoinSeparatesWithOneBlank) {
    fake::reset();
    std::vector<std::u16string> words = {u"one", u"two words", u""};
    std::vector<platform::WideChar*> argv;
    for (auto& word : words) argv.push_back(&word[0]);
    char line[64];
    bool lost = true;
    ASSERT_TRUE(joinArguments(static_cast<int>(argv.size()), argv.data(), line, sizeof line, &lost));
    EXPECT_STREQ(line, "one \"two words\" \"\"");
    EXPECT_FALSE(lost);
    ASSERT_TRUE(joinArguments(0, argv.data(), line, sizeof line, &lost));
    EXPECT_STREQ(line, "");
}

}  // namespace
