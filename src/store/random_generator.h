#pragma once
// The program's one random generator: state = state × 214013 + 2531011 (mod 2^32), each value
// is bits 16 to 30 of the new state, 0 to 32767.

#include <cstdint>

namespace lexivo {

class RandomGenerator {
public:
    static constexpr int kMaxValue = 32767;

    explicit RandomGenerator(std::uint32_t seed = 1) : state_(seed) {}

    void seed(std::uint32_t seed) { state_ = seed; }
    int next();
    // A draw among `count` elements: trunc(r / 32767 × count), with the top value taken as
    // count − 1 so that every draw falls inside the range. 0 when there is nothing to draw from.
    int draw(int count);

private:
    std::uint32_t state_;
};

}  // namespace lexivo
