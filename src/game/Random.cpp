#include "game/Random.h"

#include "game/Numbers.h"

#include <algorithm>
#include <chrono>

namespace quibix {

std::optional<uint32_t> ClockSeeds::nextSeed()
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return static_cast<uint32_t>(ticks);
}

std::optional<uint32_t> ListedSeeds::nextSeed()
{
    if (seeds_.empty()) {
        ranShort_ = true;
        return std::nullopt;
    }
    const std::optional<uint32_t> seed = seeds_.front();
    seeds_.pop_front();
    return seed;
}

SeededRandom::SeededRandom(SeedSource& source, uint32_t seed)
    : ownSource_(source), source_(&source), engine_(source.nextSeed().value_or(seed))
{
}

float SeededRandom::next()
{
    // 24 random bits give every float in [0, 1) on the grid 2^-24, never 1.
    return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f);
}

std::optional<uint32_t> SeededRandom::reseed()
{
    const std::optional<uint32_t> seed = source_->nextSeed();
    if (seed)
        engine_.seed(*seed);
    return seed;
}

void SeededRandom::setSeedSource(SeedSource* source) { source_ = source ? source : &ownSource_; }

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

std::optional<uint32_t> FixedSequenceRandom::reseed()
{
    ++reseeds_;
    if (restartOnReseed_)
        position_ = 0;
    return std::nullopt;
}

int32_t pickEntry(float r, int32_t count, std::size_t listSize)
{
    const int32_t usable = std::min(count, static_cast<int32_t>(listSize) - 1);
    if (usable < 1)
        return 0;
    return 1 + std::clamp<int32_t>(N(static_cast<double>(r) * (count - 1)), 0, usable - 1);
}

} // namespace quibix
