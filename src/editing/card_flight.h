#pragma once
// The flying card of the word transfer window: where the card is shown at each step and how
// long each step lasts. The window plays the frames on a timer; the file operation never waits.

#include <optional>
#include <vector>

#include "editing/word_transfer.h"

namespace lexivo {

struct CardFrame {
    int x = 0;
    int y = 0;
    int size = 0;  // the card is square
    int delayMs = 0;  // how long this frame stays before the next one
    // Copies: the card left behind is painted over the moving one while they still overlap.
    bool stayingCardOnTop = false;
    bool operator==(const CardFrame&) const = default;
};

struct CardPoint {
    int x = 0;
    int y = 0;
    bool operator==(const CardPoint&) const = default;
};

struct CardFlight {
    std::vector<CardFrame> frames;       // the first frame is the starting place
    std::optional<CardPoint> stayingCard;  // a copy leaves a second card here until the end
};

// The flight for a button; the delete button starts on the delete side.
CardFlight cardFlight(TransferMode mode, TransferButton button, Side deleteSide);

}  // namespace lexivo
