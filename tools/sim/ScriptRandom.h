#pragma once
// The simulator's random source: one fixed sequence per seed. The game
// reseeds from the clock at every screen and every shot; here those reseeds
// are ignored, so a script replays the same game every time it is run.
#include "game/Random.h"

#include <cstdint>
#include <random>

namespace quibix::sim {

class ScriptRandom final : public RandomSource {
public:
    explicit ScriptRandom(uint32_t seed = 0) : engine_(seed) {}
    void seed(uint32_t seed) { engine_.seed(seed); }
    // 24 random bits: every float of [0, 1) on the 2^-24 grid, never 1.
    float next() override { return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f); }
    void reseedFromClock() override {}

private:
    std::mt19937 engine_;
};

} // namespace quibix::sim
