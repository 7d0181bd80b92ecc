#include "game/Numbers.h"
#include "game/Random.h"

#include <gtest/gtest.h>

using namespace quibix;

TEST(Numbers, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(N(92.5f), 92);
    EXPECT_EQ(N(93.5f), 94);
    EXPECT_EQ(N(-0.5), 0);
    EXPECT_EQ(N(-1.5), -2);
    EXPECT_EQ(N(2.4999f), 2);
    EXPECT_EQ(N(4.5f), 4); // 5 r with r = 0.9 gives kind 4, not 5
}

TEST(Random, ClockSeededValuesStayInTheHalfOpenRange)
{
    ClockSeededRandom r;
    for (int i = 0; i < 100000; ++i) {
        const float v = r.next();
        ASSERT_GE(v, 0.0f);
        ASSERT_LT(v, 1.0f);
    }
}

TEST(Random, FixedSequenceRepeatsAndCountsReseeds)
{
    FixedSequenceRandom r({0.1f, 0.5f, 0.9f});
    EXPECT_FLOAT_EQ(r.next(), 0.1f);
    EXPECT_FLOAT_EQ(r.next(), 0.5f);
    r.reseedFromClock();
    EXPECT_FLOAT_EQ(r.next(), 0.9f); // reseeding does not restart by default
    EXPECT_FLOAT_EQ(r.next(), 0.1f);
    EXPECT_EQ(r.reseeds(), 1);
    EXPECT_EQ(r.drawn(), 4u);
}
