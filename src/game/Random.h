#pragma once
// The one random generator of the game, behind a seam so tests can replay
// a fixed sequence.
#include <cstdint>
#include <random>
#include <vector>

namespace quibix {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniform value in [0, 1).
    virtual float next() = 0;
    // Start a new sequence from the clock (start-up, every screen, every shot).
    virtual void reseedFromClock() = 0;
};

// The game's generator: a Mersenne twister seeded from the system clock.
class ClockSeededRandom final : public RandomSource {
public:
    ClockSeededRandom();
    float next() override;
    void reseedFromClock() override;

private:
    std::mt19937 engine_;
};

// Replays the given values in a loop; reseeding starts the loop again only
// when asked to (tests usually want one continuous sequence).
class FixedSequenceRandom final : public RandomSource {
public:
    explicit FixedSequenceRandom(std::vector<float> values, bool restartOnReseed = false);
    float next() override;
    void reseedFromClock() override;
    int reseeds() const { return reseeds_; }
    std::size_t drawn() const { return drawn_; }

private:
    std::vector<float> values_;
    std::size_t position_ = 0;
    std::size_t drawn_ = 0;
    bool restartOnReseed_;
    int reseeds_ = 0;
};

// A random pick among `count` named entries of a list used from index 1:
// entry 1 + N(r (count - 1)), so the first and the last come half as often
// as each other one. 0 when the list is empty.
int32_t pickEntry(float r, int32_t count, std::size_t listSize);

} // namespace quibix
