#include "editing/card_flight.h"

#include <cstdlib>

namespace lexivo {
namespace {

constexpr int kCardSize = 46;
constexpr int kStartY = 305;
constexpr int kLeftStartX = 150;
constexpr int kRightStartX = 550;
constexpr int kDeleteRightStartX = 570;
constexpr int kStep = 15;
constexpr int kStepDelayMs = 7;
constexpr int kShrinkStep = 5;
constexpr int kShrinkSteps = 8;
constexpr int kShrinkDelayMs = 10;
constexpr int kStayingCardOffsetX = -20;
constexpr int kStayingCardY = 285;
// While the moving card is less than this far to the right, it still overlaps the staying one.
constexpr int kOverlapOffset = 50;

class FlightBuilder {
public:
    FlightBuilder(int startX, bool copy) : startX_(startX), copy_(copy) { add(0); }

    int offsetX() const { return x_ - startX_; }
    int dropped() const { return y_ - kStartY; }
    void moveBy(int dx, int dy)
    {
        x_ += dx;
        y_ += dy;
        add(kStepDelayMs);
    }
    // The card shrinks to nothing around its centre.
    void shrink()
    {
        for (int s = 0; s < kShrinkSteps * kShrinkStep; s += kShrinkStep) {
            frames_.push_back({x_ + s / 2, y_ + s / 2, kCardSize - s, kShrinkDelayMs, false});
        }
    }
    CardFlight finish() &&
    {
        CardFlight flight{std::move(frames_), std::nullopt};
        if (copy_) {
            flight.stayingCard = CardPoint{startX_ + kStayingCardOffsetX, kStayingCardY};
        }
        return flight;
    }

private:
    void add(int delayMs)
    {
        frames_.push_back({x_, y_, kCardSize, delayMs, copy_ && offsetX() < kOverlapOffset});
    }

    int startX_;
    bool copy_;
    int x_ = startX_;
    int y_ = kStartY;
    std::vector<CardFrame> frames_;
};

}  // namespace

CardFlight cardFlight(TransferMode mode, TransferButton button, Side deleteSide)
{
    const bool copy = button == TransferButton::CopyRight || button == TransferButton::CopyLeft;
    if (button == TransferButton::Delete) {
        // Toward the middle, then down into the bin.
        const bool fromLeft = deleteSide == Side::Left;
        FlightBuilder flight(fromLeft ? kLeftStartX : kDeleteRightStartX, false);
        while (std::abs(flight.offsetX()) < 200) {
            flight.moveBy(fromLeft ? kStep : -kStep, 0);
        }
        while (flight.dropped() < 105) {
            flight.moveBy(0, kStep);
        }
        flight.shrink();
        return std::move(flight).finish();
    }
    const bool leftward = button == TransferButton::MoveLeft || button == TransferButton::CopyLeft;
    FlightBuilder flight(leftward ? kRightStartX : kLeftStartX, copy);
    if (isSpecialMode(mode) && button == TransferButton::MoveLeft) {
        // Removing from the right package: left, then down into the bin.
        while (flight.offsetX() >= -184) {
            flight.moveBy(-kStep, 0);
        }
        while (flight.dropped() < 85) {
            flight.moveBy(0, kStep);
        }
        flight.shrink();
        return std::move(flight).finish();
    }
    while (std::abs(flight.offsetX()) < 400) {
        flight.moveBy(leftward ? -kStep : kStep, 0);
    }
    return std::move(flight).finish();
}

}  // namespace lexivo
