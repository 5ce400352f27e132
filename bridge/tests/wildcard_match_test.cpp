// Matching a name against the last part of a command-line pattern, on its own.

#include <gtest/gtest.h>

#include <string>

#include "wildcard_match.h"

namespace {

TEST(WildcardMatch, AStarTakesAnyRunAndAQuestionMarkExactlyOneCharacter) {
    EXPECT_TRUE(matchesWildcard(u"Movies", u"??????"));
    EXPECT_FALSE(matchesWildcard(u"Movie", u"??????"));
    EXPECT_FALSE(matchesWildcard(u"Moviess", u"??????"));
    EXPECT_TRUE(matchesWildcard(u"a.mp3", u"*.mp3"));
    EXPECT_TRUE(matchesWildcard(u".mp3", u"*.mp3")) << "a star may take nothing";
    EXPECT_FALSE(matchesWildcard(u"a.mp3x", u"*.mp3"));
    EXPECT_TRUE(matchesWildcard(u"anything", u"*"));
    EXPECT_TRUE(matchesWildcard(u"", u"**"));
    EXPECT_FALSE(matchesWildcard(u"", u"?"));
}

TEST(WildcardMatch, AStarGivesBackWhatALaterPartNeeds) {
    EXPECT_TRUE(matchesWildcard(u"xaybzb", u"*a*b"));
    EXPECT_TRUE(matchesWildcard(u"abab.mp3", u"*ab?mp3"));
    EXPECT_FALSE(matchesWildcard(u"xaybz", u"*a*b"));
    EXPECT_TRUE(matchesWildcard(u"aaa", u"*a*a*a*"));
    EXPECT_FALSE(matchesWildcard(u"aa", u"*a*a*a*"));
}

TEST(WildcardMatch, OtherUnitsStandForThemselvesCaseIncluded) {
    EXPECT_TRUE(matchesWildcard(u"Музыка", u"Муз???"));
    EXPECT_FALSE(matchesWildcard(u"movies", u"M*")) << "the caller folds case";
    EXPECT_FALSE(matchesWildcard(u"a.mp3", u"a.mp4"));
}

TEST(WildcardMatch, ASurrogatePairIsOneCharacter) {
    EXPECT_TRUE(matchesWildcard(u"\U0001F3B5.mp3", u"?.mp3"));
    EXPECT_FALSE(matchesWildcard(u"\U0001F3B5.mp3", u"??.mp3"));
    EXPECT_TRUE(matchesWildcard(u"a\U0001F3B5", u"a*"));
}

}  // namespace
