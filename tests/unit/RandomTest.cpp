// The one generator: where its seeds come from and what a reseed reports.
#include "game/Random.h"

#include <gtest/gtest.h>

#include <vector>

namespace quibix {
namespace {

std::vector<float> draws(RandomSource& random, int n)
{
    std::vector<float> out;
    for (int i = 0; i < n; ++i)
        out.push_back(random.next());
    return out;
}

TEST(SeededRandomTest, AGivenSeedGivesTheSameSequenceWhicheverWayItArrives)
{
    NoReseeds none;
    SeededRandom fromScript(none, 4242);
    ListedSeeds listed({4242});
    SeededRandom fromList(listed);
    const std::vector<float> first = draws(fromScript, 50);
    EXPECT_EQ(draws(fromList, 50), first);
    for (float v : first) {
        EXPECT_GE(v, 0.0f);
        EXPECT_LT(v, 1.0f);
    }
    // A reseed with the same seed starts the same sequence again.
    fromScript.seed(4242);
    EXPECT_EQ(draws(fromScript, 50), first);
}

TEST(SeededRandomTest, EveryReseedReportsItsSeedAndAnExhaustedListKeepsTheSequence)
{
    NoReseeds none;
    SeededRandom random(none, 1);
    EXPECT_FALSE(random.reseed()) << "a script's sequence runs on";

    ListedSeeds replay({7, 8});
    random.setSeedSource(&replay);
    EXPECT_EQ(random.reseed(), 7u);
    const float afterSeven = random.next();
    EXPECT_EQ(random.reseed(), 8u);
    EXPECT_FALSE(replay.ranShort());
    EXPECT_EQ(random.reseed(), std::nullopt);
    EXPECT_TRUE(replay.ranShort()) << "asked for a third seed it did not have";

    random.setSeedSource(&replay);
    replay.add(7);
    random.reseed();
    EXPECT_EQ(random.next(), afterSeven);

    // Back to its own source.
    random.setSeedSource(nullptr);
    EXPECT_FALSE(random.reseed());
}

TEST(SeededRandomTest, ClockSeedsMove)
{
    ClockSeeds clock;
    const auto a = clock.nextSeed();
    std::optional<uint32_t> b;
    for (int i = 0; i < 1000 && (!b || *b == *a); ++i)
        b = clock.nextSeed();
    ASSERT_TRUE(a && b);
    EXPECT_NE(*a, *b);
}

} // namespace
} // namespace quibix
