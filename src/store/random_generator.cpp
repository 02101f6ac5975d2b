#include "store/random_generator.h"

namespace lexivo {

int RandomGenerator::next()
{
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
}

int RandomGenerator::draw(int count)
{
    if (count <= 0) {
        return 0;
    }
    const int value = static_cast<int>(next() / static_cast<double>(kMaxValue) * count);
    return value < count ? value : count - 1;
}

}  // namespace lexivo
