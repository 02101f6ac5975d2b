#pragma once
// How a typed answer is judged against the expected expression, and what the user sees while
// typing. An expression holds up to ten meanings separated by "+", taken exactly as they
// stand (no spaces trimmed).

#include <string>
#include <string_view>
#include <vector>

namespace lexivo {

inline constexpr std::size_t kMaxMeanings = 10;

enum class LetterCase { Sensitive, Insensitive };

// At most ten meanings; whatever follows the "+" that ends the tenth is ignored.
std::vector<std::string_view> splitMeanings(std::string_view expression);

// The typed answer without its trailing spaces and at most 50 leading spaces.
std::string_view trimmedAnswer(std::string_view typed);

// Right when the answer, without its trailing spaces and at most 50 leading spaces, equals one
// meaning or the whole expression. Without case sensitivity only the letters A–Z fold.
// An empty meaning (as in "dog+") never makes an empty answer right.
bool isRightAnswer(std::string_view typed, std::string_view expected, LetterCase letterCase);

// The colour hint while typing. The last meaning that the text begins decides.
enum class TypingHint { FitsNoMeaning, BeginsMeaning, EqualsMeaning };
TypingHint typingHint(std::string_view typed, std::string_view expected, LetterCase letterCase);

// The example with every occurrence of each expected meaning (up to the first empty one)
// replaced by twelve underscores. Inserted underscores are never searched again.
std::string maskedExample(std::string_view example, std::string_view expected);

// A "+" is shown as "; " in a question.
std::string displayedExpression(std::string_view expression);

// The share of right answers in whole per cent, rounded down; 0 before any answer.
int successPercent(int right, int wrong);

// What the "Správně" window adds below a right answer: the meanings that differ from the
// answer (ignoring the case of A–Z), after "Další synonyma: " when there are several meanings.
std::string synonymsLine(std::string_view typed, std::string_view expected);

// The end of the pie's right share, relative to its centre, for a radius of 100: the share
// grows counter-clockwise from twelve o'clock by p × 0.0628 radians. A full share ends at
// (0, −70) and is drawn as a whole disc.
struct PieEnd {
    int dx;
    int dy;
    bool operator==(const PieEnd&) const = default;
};
PieEnd pieEnd(int percent);
inline constexpr PieEnd kFullPie{0, -70};

}  // namespace lexivo
