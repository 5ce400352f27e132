// Matching a name against the last part of a command-line pattern, on its own.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wildcard_match.h"

namespace {

struct Case {
    std::u16string name;
    std::u16string pattern;
    bool matches;
};

void expectEach(const std::vector<Case>& cases) {
    for (const Case& c : cases)
        EXPECT_EQ(matchesWildcard(c.name, c.pattern), c.matches)
            << "case " << (&c - cases.data()) << " of " << cases.size();
}

TEST(WildcardMatch, AStarTakesAnyRunAndAQuestionMarkExactlyOneCharacter) {
    expectEach({{u"Movies", u"??????", true},
                {u"Movie", u"??????", false},
                {u"Moviess", u"??????", false},
                {u"a.mp3", u"*.mp3", true},
                {u".mp3", u"*.mp3", true},  // a star may take nothing
                {u"a.mp3x", u"*.mp3", false},
                {u"anything", u"*", true},
                {u"", u"**", true},
                {u"", u"?", false}});
}

TEST(WildcardMatch, AStarGivesBackWhatALaterPartNeeds) {
    expectEach({{u"xaybzb", u"*a*b", true},
                {u"abab.mp3", u"*ab?mp3", true},
                {u"xaybz", u"*a*b", false},
                {u"aaa", u"*a*a*a*", true},
                {u"aa", u"*a*a*a*", false}});
}

TEST(WildcardMatch, OtherUnitsStandForThemselvesCaseIncluded) {
    expectEach({{u"Музыка", u"Муз???", true},
                {u"movies", u"M*", false},  // the caller folds case
                {u"a.mp3", u"a.mp4", false}});
}

TEST(WildcardMatch, ASurrogatePairIsOneCharacter) {
    expectEach(
        {{u"\U0001F3B5.mp3", u"?.mp3", true}, {u"\U0001F3B5.mp3", u"??.mp3", false}, {u"a\U0001F3B5", u"a*", true}});
}

}  // namespace
