#include "test/answer_check.h"

#include <tuple>

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
    EXPECT_EQ(splitMeanings("a+"), (std::vector<std::string_view>{"a", ""}));
    EXPECT_EQ(splitMeanings("1+2+3+4+5+6+7+8+9+10+11+12").back(), "10");
}

TEST(TypingHint, TheLastFittingMeaningDecides)
{
    const auto S = LetterCase::Sensitive;
    const std::vector<std::tuple<std::string, std::string, LetterCase, TypingHint>> cases = {
        {"cat", "cat+category", S, TypingHint::BeginsMeaning},
        {"categ", "cat+category", S, TypingHint::BeginsMeaning},
        {"", "cat+category", S, TypingHint::BeginsMeaning},
        {"dog", "cat+category", S, TypingHint::FitsNoMeaning},
        {"category", "cat+category", S, TypingHint::EqualsMeaning},
        {"CAT", "category+cat", LetterCase::Insensitive, TypingHint::EqualsMeaning},
        {"CAT", "category+cat", S, TypingHint::FitsNoMeaning},
    };
    for (const auto& [typed, expected, letterCase, hint] : cases) {
        EXPECT_EQ(typingHint(typed, expected, letterCase), hint) << typed << " for " << expected;
    }
}

TEST(MaskedExample, HidesEveryMeaningAndEnds)
{
    EXPECT_EQ(maskedExample("He has a car.", "car+auto"), "He has a ____________.");
    EXPECT_EQ(maskedExample("A car is a car.", "car"), "A ____________ is a ____________.");
    EXPECT_EQ(maskedExample("x_y", "_"), "x____________y");  // the mask itself is not searched again
    EXPECT_EQ(maskedExample("a__b", "__+_"), "a____________b");
    EXPECT_EQ(maskedExample("one two", "+two"), "one two");  // stops at the first empty meaning
}

TEST(SuccessPercent, RoundsDownWithoutOverflow)
{
    for (const auto& [right, wrong, percent] : std::vector<std::tuple<int, int, int>>{
             {1, 2, 33}, {2, 1, 66}, {3, 1, 75}, {0, 0, 0}, {29, 0, 100}, {2147483647, 2147483647, 50}, {5, -9, 0}}) {
        EXPECT_EQ(successPercent(right, wrong), percent) << right << " right, " << wrong << " wrong";
    }
}

}  // namespace
}  // namespace lexivo
