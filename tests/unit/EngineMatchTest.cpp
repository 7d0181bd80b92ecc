// Placing the landed piece and removing its group.
#include "unit/EngineFixture.h"

namespace quibix::testing {
namespace {

using EngineMatchTest = EngineFixture;

TEST_F(EngineMatchTest, OnlyEqualPiecesOfTheSixNeighboursJoin)
{
    // Every position hangs whole from row 0, so nothing but the group moves.
    // The group vanishes while it is at least the minimum size.
    struct Case { std::vector<Put> board; Put shot; int group; };
    const Case cases[] = {
        // Odd row 3: the cells above are (5, 2) and (6, 2); (4, 2) is not one.
        {{{4, 2, 4}, {6, 2, 4}, {5, 0, 1}, {5, 1, 2}, {4, 1, 3}}, {5, 3, 4}, 2},
        // Even row 2: the cells above are (4, 1) and (5, 1); (6, 1) is not one.
        {{{4, 1, 4}, {5, 1, 4}, {6, 1, 5}, {4, 0, 1}, {6, 0, 1}}, {5, 2, 4}, 3},
        // Left, right and below count too.
        {{{4, 0, 3}, {6, 0, 3}, {5, 1, 3}}, {5, 0, 3}, 4},
        // A chain of six.
        {{{0, 0, 2}, {1, 0, 2}, {2, 0, 2}, {3, 0, 2}, {3, 1, 2}}, {4, 0, 2}, 6},
        // Stones all round join nothing.
        {{{4, 0, 1}, {5, 0, 1}, {4, 2, kStone}, {6, 2, kStone}, {4, 1, kStone}, {5, 1, kStone},
          {4, 3, kStone}, {5, 3, kStone}},
         {5, 2, 6}, 1},
    };
    for (const Case& k : cases) {
        for (int16_t combinations = 3; combinations <= 6; ++combinations) {
            position(k.board, static_cast<int16_t>(k.shot.code - 1));
            engine.setCombinaciones(combinations);
            const Turn turn = engine.landAt({static_cast<int16_t>(k.shot.c), static_cast<int16_t>(k.shot.r)});
            const bool vanishes = k.group >= combinations;
            EXPECT_EQ(turn.removed.size(), vanishes ? static_cast<std::size_t>(k.group) : 0u)
                << k.shot.c << "," << k.shot.r << " needing " << combinations;
            EXPECT_EQ(code(k.shot.c, k.shot.r), vanishes ? 0 : k.shot.code);
            EXPECT_EQ(engine.ultimoTiro(), vanishes ? k.group * k.group + 1 : 0);
            EXPECT_EQ(turn.fallen, 0);
        }
    }
}

TEST_F(EngineMatchTest, GroupVanishesDepthFirstInNeighbourOrderAndScores)
{
    // From (5, 2) breadth first would give (6, 2) before (5, 3); depth first
    // reaches (5, 3) through (4, 2) and (4, 3), and (6, 2) from (5, 3).
    // The far end of the chain, (7, 2), touches only (6, 2).
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
    EXPECT_EQ(engine.ultimoTiro(), 37);
    EXPECT_EQ(engine.score(), 37);
    EXPECT_EQ(soundsOf(turn), (std::vector<std::string>{"shoot.wav", "sound18.wav"}));
}

} // namespace
} // namespace quibix::testing
