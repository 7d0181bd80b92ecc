#include "game/Board.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace quibix;

namespace {

using Spot = std::pair<int, int>;

TEST(Board, NeighbourOrderAndBoundsOnEvenAndOddRowsAndAtTheMargins)
{
    struct Case { int c, r; std::vector<Spot> expected; };
    const Case cases[] = {
        {5, 2, {{4, 2}, {4, 1}, {4, 3}, {6, 2}, {5, 1}, {5, 3}}},         // even row
        {5, 3, {{4, 3}, {6, 3}, {6, 2}, {6, 4}, {5, 2}, {5, 4}}},         // odd row
        {0, 0, {{1, 0}, {0, 1}}},                                         // top-left corner
        {16, 14, {{15, 14}, {15, 13}, {15, 15}, {17, 14}, {16, 13}, {16, 15}}}, // reaches the margin
        {17, 15, {{16, 15}, {17, 14}}}, // margin corner: nothing in column 18 or row 16
    };
    for (const Case& k : cases) {
        std::vector<Spot> found;
        ForEachNeighbour(k.c, k.r, [&](int x, int y) { found.emplace_back(x, y); });
        EXPECT_EQ(found, k.expected) << k.c << "," << k.r;
    }
}

// Which cells the scans look at is the margin and loss sim scripts'; here
// the two that change the whole board.
TEST(Board, ClearAndPetrifyIncludeTheMarginButNothingBeyond)
{
    Tablero t;
    t(0, 0) = {3, 10, 20, -1};
    t(17, 15).Tipo = 4;
    t(18, 16).Tipo = 5; // never addressed
    PetrificaTablero(t);
    EXPECT_EQ(t(17, 15).Tipo, kStone);
    EXPECT_EQ(t(18, 16).Tipo, 5);
    BorraTablero(t);
    EXPECT_TRUE(t(0, 0).X == 0 && t(0, 0).Cae == 0 && t(17, 15).Tipo == kEmpty);
    EXPECT_EQ(t(18, 16).Tipo, 5);
}

} // namespace
