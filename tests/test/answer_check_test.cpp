#include "test/answer_check.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace lexivo {
namespace {

struct AnswerCase {
    std::string typed;
    std::string expected;
    LetterCase letterCase;
    bool right;
};

TEST(CheckAnswer, JudgesTypedAnswers)
{
    const auto S = LetterCase::Sensitive;
    const auto I = LetterCase::Insensitive;
    const std::vector<AnswerCase> cases = {
        {"vůz", "auto+vůz", S, true},
        {"  vůz ", "auto+vůz", S, true},
        {"vuz", "auto+vůz", S, false},
        {"Auto", "auto+vůz", I, true},
        {"Auto", "auto+vůz", S, false},
        {"ČAS", "čas", I, false},  // only A–Z fold
        {"čAS", "čas", I, true},
        {"a", "a + b", S, false},  // meanings are "a " and " b"
        {"a + b", "a + b", S, true},  // the whole text
        {"auto+vůz", "auto+vůz", S, true},
        {"a\t", "a", S, false},  // only spaces are trimmed
        {std::string(50, ' ') + "pes", "pes", S, true},
        {std::string(51, ' ') + "pes", "pes", S, false},  // at most 50 leading spaces go
        {"", "pes+", S, false},   // an empty meaning is no answer
        {"", "", S, true},        // but an empty expected text is met by an empty answer
        {"k", "a+b+c+d+e+f+g+h+i+j+k", S, false},  // the eleventh meaning is never accepted
        {"j", "a+b+c+d+e+f+g+h+i+j+k", S, true},
    };
    for (const AnswerCase& c : cases) {
        EXPECT_EQ(isRightAnswer(c.typed, c.expected, c.letterCase), c.right) << "'" << c.typed << "' for '" << c.expected << "'";
    }
}

TEST(SplitMeanings, TakesAtMostTenUntrimmed)
{
    EXPECT_EQ(splitMeanings("car+ automobile "), (std::vector<std::string_view>{"car", " automobile "}));
    EXPECT_EQ(splitMeanings(""), (std::vector<std::string_view>{""}));
    EXPECT_EQ(splitMeanings("a+"), (std::vector<std::string_view>{"a", ""}));
    EXPECT_EQ(splitMeanings("1+2+3+4+5+6+7+8+9+10+11+12").size(), 10u);
    EXPECT_EQ(splitMeanings("1+2+3+4+5+6+7+8+9+10+11").back(), "10");
}

TEST(TypingHint, TheLastFittingMeaningDecides)
{
    const auto S = LetterCase::Sensitive;
    const auto begins = TypingHint::BeginsMeaning;
    const auto equals = TypingHint::EqualsMeaning;
    EXPECT_EQ(typingHint("cat", "cat+category", S), begins);
    EXPECT_EQ(typingHint("categ", "cat+category", S), begins);
    EXPECT_EQ(typingHint("dog", "cat+category", S), TypingHint::FitsNoMeaning);
    EXPECT_EQ(typingHint("category", "cat+category", S), equals);
    EXPECT_EQ(typingHint("", "cat+category", S), begins);
    EXPECT_EQ(typingHint("CAT", "category+cat", LetterCase::Insensitive), equals);
    EXPECT_EQ(typingHint("CAT", "category+cat", S), TypingHint::FitsNoMeaning);
}

TEST(MaskedExample, HidesEveryMeaningAndEnds)
{
    EXPECT_EQ(maskedExample("He has a car.", "car+auto"), "He has a ____________.");
    EXPECT_EQ(maskedExample("A car is a car.", "car"), "A ____________ is a ____________.");
    EXPECT_EQ(maskedExample("x_y", "_"), "x____________y");  // the mask itself is not searched again
    EXPECT_EQ(maskedExample("a__b", "__+_"), "a____________b");
    EXPECT_EQ(maskedExample("one two", "+two"), "one two");  // stops at the first empty meaning
    EXPECT_EQ(maskedExample("", "car"), "");
}

TEST(DisplayedExpression, ShowsPlusAsSemicolon)
{
    EXPECT_EQ(displayedExpression("car+automobile"), "car; automobile");
}

TEST(SuccessPercent, RoundsDown)
{
    EXPECT_EQ(successPercent(1, 2), 33);
    EXPECT_EQ(successPercent(2, 1), 66);
    EXPECT_EQ(successPercent(3, 1), 75);
    EXPECT_EQ(successPercent(0, 0), 0);
    EXPECT_EQ(successPercent(29, 0), 100);
    EXPECT_EQ(successPercent(2147483647, 2147483647), 50);  // no overflow in the sum
    EXPECT_EQ(successPercent(5, -9), 0);
}

}  // namespace
}  // namespace lexivo
