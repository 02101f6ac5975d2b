#pragma once
// The usage tips. Each continues the sentence "Víte, že" with a question, a blank line and an
// explanation; the tips window shows one chosen at random.

#include <string_view>

namespace lexivo {

inline constexpr int kTipCount = 16;  // fifteen tips and the text of the random top value

// The tip of an index 0 to 15; an index outside gives the first tip.
std::string_view tipText(int index);

// The tip for a random value 0 to 32767: trunc(r / 32767 × 15), which is 0 to 14 for every
// value but the top one, and 15 for 32767.
int tipIndex(int randomValue);

}  // namespace lexivo
