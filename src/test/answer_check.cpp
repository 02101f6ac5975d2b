#include "test/answer_check.h"

#include <cmath>

#include "store/name_rules.h"

namespace lexivo {
namespace {

constexpr std::size_t kMaxLeadingSpaces = 50;
constexpr std::string_view kMask = "____________";

bool sameText(std::string_view a, std::string_view b, LetterCase letterCase)
{
    return letterCase == LetterCase::Sensitive ? a == b : equalsIgnoringAsciiCase(a, b);
}

bool beginsWith(std::string_view text, std::string_view prefix, LetterCase letterCase)
{
    return text.size() >= prefix.size() && sameText(text.substr(0, prefix.size()), prefix, letterCase);
}

}  // namespace

std::vector<std::string_view> splitMeanings(std::string_view expression)
{
    std::vector<std::string_view> meanings;
    for (;;) {
        const std::size_t plus = expression.find('+');
        meanings.push_back(expression.substr(0, plus));
        if (plus == std::string_view::npos || meanings.size() == kMaxMeanings) {
            return meanings;
        }
        expression.remove_prefix(plus + 1);
    }
}

std::string_view trimmedAnswer(std::string_view typed)
{
    while (!typed.empty() && typed.back() == ' ') {
        typed.remove_suffix(1);
    }
    for (std::size_t removed = 0; removed < kMaxLeadingSpaces && !typed.empty() && typed.front() == ' '; ++removed) {
        typed.remove_prefix(1);
    }
    return typed;
}

bool isRightAnswer(std::string_view typed, std::string_view expected, LetterCase letterCase)
{
    typed = trimmedAnswer(typed);
    if (sameText(typed, expected, letterCase)) {
        return true;
    }
    for (std::string_view meaning : splitMeanings(expected)) {
        if (!meaning.empty() && sameText(typed, meaning, letterCase)) {
            return true;
        }
    }
    return false;
}

TypingHint typingHint(std::string_view typed, std::string_view expected, LetterCase letterCase)
{
    TypingHint hint = TypingHint::FitsNoMeaning;
    for (std::string_view meaning : splitMeanings(expected)) {
        if (beginsWith(meaning, typed, letterCase)) {
            hint = meaning.size() == typed.size() ? TypingHint::EqualsMeaning : TypingHint::BeginsMeaning;
        }
    }
    return hint;
}

std::string maskedExample(std::string_view example, std::string_view expected)
{
    // The text as pieces, each either still searchable or an inserted mask.
    struct Piece {
        std::string text;
        bool masked;
    };
    std::vector<Piece> pieces{{std::string(example), false}};
    for (std::string_view meaning : splitMeanings(expected)) {
        if (meaning.empty()) {
            break;
        }
        std::vector<Piece> next;
        for (Piece& piece : pieces) {
            if (piece.masked) {
                next.push_back(std::move(piece));
                continue;
            }
            std::string_view rest = piece.text;
            for (std::size_t found = rest.find(meaning); found != std::string_view::npos; found = rest.find(meaning)) {
                next.push_back({std::string(rest.substr(0, found)), false});
                next.push_back({std::string(kMask), true});
                rest.remove_prefix(found + meaning.size());
            }
            next.push_back({std::string(rest), false});
        }
        pieces = std::move(next);
    }
    std::string result;
    for (const Piece& piece : pieces) {
        result += piece.text;
    }
    return result;
}

std::string displayedExpression(std::string_view expression)
{
    std::string shown;
    for (char c : expression) {
        if (c == '+') {
            shown += "; ";
        } else {
            shown += c;
        }
    }
    return shown;
}

int successPercent(int right, int wrong)
{
    // In double precision throughout: the sum of two counters must not overflow.
    const double answered = static_cast<double>(right) + wrong;
    if (right < 0 || wrong < 0 || answered <= 0) {
        return 0;
    }
    return static_cast<int>(right / answered * 100);
}

}  // namespace lexivo

namespace lexivo {

std::string synonymsLine(std::string_view typed, std::string_view expected)
{
    typed = trimmedAnswer(typed);
    const std::vector<std::string_view> meanings = splitMeanings(expected);
    std::string others;
    for (std::string_view meaning : meanings) {
        if (!equalsIgnoringAsciiCase(meaning, typed)) {
            others += (others.empty() ? "" : ", ") + std::string(meaning);
        }
    }
    return meanings.size() > 1 ? "Další synonyma: " + others : others;
}

PieEnd pieEnd(int percent)
{
    if (percent >= 100) {
        return kFullPie;
    }
    const double angle = percent * 0.0628;
    return {static_cast<int>(-100 * std::sin(angle)), static_cast<int>(-100 * std::cos(angle))};
}

}  // namespace lexivo
