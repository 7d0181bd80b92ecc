#pragma once
// The game's one random generator, and where its seeds come from.
//
// A turn is data: the seed the generator was given and the angle the cannon
// had. The generator is reseeded at start-up, at every screen and at every
// shot; each reseed takes the next seed from a seed source (the clock in
// the window, a script or a replay elsewhere) and tells the caller which
// seed it used, so a game can be written down and played again.
#include <cstdint>
#include <deque>
#include <optional>
#include <random>
#include <vector>

namespace quibix {

// Hands out the seed of each reseed. No seed means "keep the sequence
// going", which is how a script plays one fixed sequence from its start.
class SeedSource {
public:
    virtual ~SeedSource() = default;
    virtual std::optional<uint32_t> nextSeed() = 0;
};

// The window's seeds: the fast-moving low bits of the clock.
class ClockSeeds final : public SeedSource {
public:
    std::optional<uint32_t> nextSeed() override;
};

// Never reseeds: the sequence started by `seed` runs on.
class NoReseeds final : public SeedSource {
public:
    std::optional<uint32_t> nextSeed() override { return std::nullopt; }
};

// Seeds given in advance, in the order they are to be used (a recorded
// game); an empty entry keeps the sequence going, as its reseed did. Asked
// for more than it holds, it keeps the sequence going and remembers that
// it ran short.
class ListedSeeds final : public SeedSource {
public:
    explicit ListedSeeds(std::deque<std::optional<uint32_t>> seeds = {}) : seeds_(std::move(seeds)) {}
    void add(std::optional<uint32_t> seed) { seeds_.push_back(seed); }
    std::optional<uint32_t> nextSeed() override;
    bool ranShort() const { return ranShort_; }
    std::size_t left() const { return seeds_.size(); }

private:
    std::deque<std::optional<uint32_t>> seeds_;
    bool ranShort_ = false;
};

// What the rules and the window draw from: the seam tests fake.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniform value in [0, 1).
    virtual float next() = 0;
    // Starts a new sequence from the seed source's next seed (start-up,
    // every screen, every shot). Returns that seed, or nothing when the
    // sequence went on unchanged.
    virtual std::optional<uint32_t> reseed() = 0;
    // Where reseed takes its seeds from from now on; nullptr gives the
    // generator back its own source.
    virtual void setSeedSource(SeedSource* source) = 0;
};

// The one generator of the game, the simulator and the tests: a Mersenne
// twister whose every value is one of the 2^24 floats k / 2^24.
class SeededRandom final : public RandomSource {
public:
    // Starts from the source's first seed, or from `seed` when it has none.
    explicit SeededRandom(SeedSource& source, uint32_t seed = 0);
    float next() override;
    std::optional<uint32_t> reseed() override;
    void setSeedSource(SeedSource* source) override;
    // A fixed sequence from `seed`, regardless of the source.
    void seed(uint32_t seed) { engine_.seed(seed); }

private:
    SeedSource& ownSource_;
    SeedSource* source_;
    std::mt19937 engine_;
};

// Replays the given values in a loop, for tests that need particular draws;
// reseeding starts the loop again only when asked to (tests usually want
// one continuous sequence).
class FixedSequenceRandom final : public RandomSource {
public:
    explicit FixedSequenceRandom(std::vector<float> values, bool restartOnReseed = false);
    float next() override;
    std::optional<uint32_t> reseed() override;
    void setSeedSource(SeedSource*) override {}
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
