// The bridge's rewriting of the launcher's arguments property, on its own: decoded, each
// argument rewritten, encoded again exactly as the launcher encodes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "argument_property.h"

namespace {

// Marks every argument it sees, and notes them.
struct MarkingRewrite {
    std::vector<std::string>* seen;
    std::string operator()(const std::string& argument) const {
        seen->push_back(argument);
        return argument == "Z:\\Музыка" ? "/music/Музыка" : argument;
    }
};

TEST(ArgumentsProperty, EachArgumentIsDecodedRewrittenAndEncodedAgain) {
    std::vector<std::string> seen;
    const std::string rewritten = rewriteArgumentsProperty(
        "--dry-run,Z%3A%5C%D0%9C%D1%83%D0%B7%D1%8B%D0%BA%D0%B0,,%E6%9D%B1%E4%BA%AC%20Live", MarkingRewrite{&seen});
    EXPECT_EQ(seen, (std::vector<std::string>{"--dry-run", "Z:\\Музыка", "", "東京 Live"}));
    EXPECT_EQ(rewritten, "--dry-run,%2Fmusic%2F%D0%9C%D1%83%D0%B7%D1%8B%D0%BA%D0%B0,,%E6%9D%B1%E4%BA%AC%20Live");
}

TEST(ArgumentsProperty, LowerCaseDigitsAreReadAndEncodingIsTheLaunchersUpperCase) {
    std::vector<std::string> seen;
    EXPECT_EQ(rewriteArgumentsProperty("a%2cb%c4%83._~-", MarkingRewrite{&seen}), "a%2Cb%C4%83._~-");
    EXPECT_EQ(seen, std::vector<std::string>{"a,b\xC4\x83._~-"});
}

TEST(ArgumentsProperty, AValueThatIsNotValidPercentEncodingStaysAsItIs) {
    for (const std::string value : {"%", "a%4", "%G0", "a b", "x,Ж", "a+b"}) {
        std::vector<std::string> seen;
        EXPECT_EQ(rewriteArgumentsProperty(value, MarkingRewrite{&seen}), value) << value;
    }
}

}  // namespace
