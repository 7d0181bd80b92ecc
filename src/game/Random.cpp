#include "game/Random.h"

#include "game/Numbers.h"

#include <algorithm>
#include <chrono>

namespace quibix {

ClockSeededRandom::ClockSeededRandom() { reseedFromClock(); }

float ClockSeededRandom::next()
{
    // 24 random bits give every float in [0, 1) on the grid 2^-24, never 1.
    return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f);
}

void ClockSeededRandom::reseedFromClock()
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    engine_.seed(static_cast<std::mt19937::result_type>(ticks)); // the fast-moving low bits
}

FixedSequenceRandom::FixedSequenceRandom(std::vector<float> values, bool restartOnReseed)
    : values_(std::move(values)), restartOnReseed_(restartOnReseed)
{
    if (values_.empty())
        values_.push_back(0.0f);
}

float FixedSequenceRandom::next()
{
    const float v = values_[position_];
    position_ = (position_ + 1) % values_.size();
    ++drawn_;
    return v;
}

void FixedSequenceRandom::reseedFromClock()
{
    ++reseeds_;
    if (restartOnReseed_)
        position_ = 0;
}

int32_t pickEntry(float r, int32_t count, std::size_t listSize)
{
    const int32_t usable = std::min(count, static_cast<int32_t>(listSize) - 1);
    if (usable < 1)
        return 0;
    return 1 + std::clamp<int32_t>(N(static_cast<double>(r) * (count - 1)), 0, usable - 1);
}

} // namespace quibix
