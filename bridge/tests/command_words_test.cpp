// The bridge's splitting of its command line, on its own: the C run-time's rules for quotes and
// backslashes, and which words held a wildcard outside double quotes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_words.h"

namespace {

std::vector<std::string> texts(const char* commandLine) {
    std::vector<std::string> result;
    for (const CommandWord& word : commandWords(commandLine)) result.push_back(word.text);
    return result;
}

// Of the words after the program's name, those taken for patterns.
std::vector<bool> wildcards(const char* commandLine) {
    std::vector<bool> result;
    const std::vector<CommandWord> words = commandWords(commandLine);
    for (size_t i = 1; i < words.size(); ++i) result.push_back(words[i].wildcard);
    return result;
}

using Words = std::vector<std::string>;

TEST(CommandWords, BlanksAndTabsOutsideQuotesSeparateWords) {
    EXPECT_EQ(texts("java.exe  -jar\tx.jar   a "), (Words{"java.exe", "-jar", "x.jar", "a"}));
    EXPECT_EQ(texts("java.exe \"a b\" \"\" c\"d e\"f \"\""), (Words{"java.exe", "a b", "", "cd ef", ""}));
    EXPECT_EQ(texts("java.exe \"open to the end"), (Words{"java.exe", "open to the end"}));
    EXPECT_EQ(texts("java.exe"), (Words{"java.exe"}));
}

TEST(CommandWords, BackslashesAreLiteralUnlessADoubleQuoteFollows) {
    EXPECT_EQ(texts("p a\\\\b d\"e f\"g h"), (Words{"p", "a\\\\b", "de fg", "h"}));
    EXPECT_EQ(texts("p a\\\\\\\"b c"), (Words{"p", "a\\\"b", "c"})) << "2n+1: n and a literal quote";
    EXPECT_EQ(texts("p a\\\\\\\\\"b c\" d"), (Words{"p", "a\\\\b c", "d"})) << "2n: n, and the quote quotes";
    EXPECT_EQ(texts("p \"D:\\my music\\\\\" end\\"), (Words{"p", "D:\\my music\\", "end\\"}));
}

// As the C run-time since Visual C++ 2008 and the real java.exe's own splitter read them.
TEST(CommandWords, TwoDoubleQuotesInsideQuotesAreOneLiteralQuoteAndQuotingGoesOn) {
    EXPECT_EQ(texts("p a\"b\"\" c d"), (Words{"p", "ab\" c d"}));
    EXPECT_EQ(texts("p \"say \"\"hi\"\"\" x"), (Words{"p", "say \"hi\"", "x"}));
    EXPECT_EQ(texts("p x\"\"y"), (Words{"p", "xy"})) << "outside quotes they are an empty quoted part";
}

TEST(CommandWords, TheProgramsNameDropsItsQuotesAndKeepsItsBackslashes) {
    EXPECT_EQ(texts("\"C:\\Program Files\\java.exe\" -jar"), (Words{"C:\\Program Files\\java.exe", "-jar"}));
    EXPECT_EQ(texts("\"C:\\jre\\\\\" x"), (Words{"C:\\jre\\\\", "x"}));
    EXPECT_EQ(texts("C:\\jre\\bin\\java.exe\\\"a b\""), (Words{"C:\\jre\\bin\\java.exe\\a b"}));
}

TEST(CommandWords, AWildcardCountsOnlyOutsideDoubleQuotes) {
    EXPECT_EQ(wildcards("p *.mp3 D:\\?????? \"*.mp3\" \"D:\\??????\" plain"),
              (std::vector<bool>{true, true, false, false, false}));
    // A word is a pattern when any of its wildcards stands outside quotes.
    EXPECT_EQ(wildcards("p \"a b\"* a\"*\" \"a\"\"*\" \\\"*\\\""), (std::vector<bool>{true, false, false, true}));
    EXPECT_EQ(texts("p \"a\"\"*\" \\\"*\\\""), (Words{"p", "a\"*", "\"*\""}));
}

TEST(CommandWords, TheLaunchersQuotedArgumentsArriveWholeAndAsNoPattern) {
    const std::vector<CommandWord> words = commandWords(
        "\"C:\\jre\\bin\\java.exe\" -jar \"C:\\apps\\tool.exe\" \"D:\\??????\" \"a*\\\\\" \"say \\\"*\\\"\"");
    ASSERT_EQ(words.size(), 6u);
    EXPECT_EQ(words[3].text, "D:\\??????");
    EXPECT_EQ(words[4].text, "a*\\");
    EXPECT_EQ(words[5].text, "say \"*\"");
    for (const CommandWord& word : words) EXPECT_FALSE(word.wildcard) << word.text;
}

}  // namespace
