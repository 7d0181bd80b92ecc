#include "game/Numbers.h"

#include <gtest/gtest.h>

using namespace quibix;

TEST(Numbers, HalvesGoToTheEvenNeighbour)
{
    const std::pair<double, int> cases[] = {{92.5, 92}, {93.5, 94}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2},
                                            {4.5, 4}}; // 5 r with r = 0.9 gives kind 4, not 5
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(N(value), expected) << value;
        EXPECT_EQ(N(static_cast<float>(value)), expected) << value << "f";
    }
}
