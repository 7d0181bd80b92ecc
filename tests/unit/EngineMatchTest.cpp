// Removing the landed piece's group: its order and events. Which pieces
// join, the minimum size and the score: the matching and groupsize sim scripts.
#include "unit/EngineFixture.h"

namespace quibix::testing {
namespace {

using EngineMatchTest = EngineFixture;

TEST_F(EngineMatchTest, GroupVanishesDepthFirstInNeighbourOrderAndScores)
{
    // Breadth first would take (6, 2) before (5, 3); (7, 2) touches only (6, 2).
    position({{4, 2, 2}, {6, 2, 2}, {4, 3, 2}, {5, 3, 2}, {7, 2, 2}, {4, 0, 1}, {4, 1, 3}, {5, 1, 3},
              {6, 1, 4}, {6, 0, 5}, {7, 1, 4}, {7, 0, 5}, {8, 1, 6}, {8, 0, 6}},
             1);
    const Turn turn = engine.landAt({5, 2});
    const std::vector<Cell> order{{5, 2}, {4, 2}, {4, 3}, {5, 3}, {6, 2}, {7, 2}};
    EXPECT_EQ(turn.removed, order);
    const auto removed = eventsOf<PieceRemoved>(turn);
    ASSERT_EQ(removed.size(), order.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        EXPECT_EQ(removed[k].cell, order[k]);
        EXPECT_EQ(removed[k].at, cellOrigin(order[k].col, order[k].row, 0));
    }
    EXPECT_EQ(soundsOf(turn), (std::vector<std::string>{"shoot.wav", "sound18.wav"}));
}

} // namespace
} // namespace quibix::testing
