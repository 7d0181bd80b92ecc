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

TEST(Board, QueriesScanTheirOwnRanges)
{
    Tablero t;
    EXPECT_EQ(BuscaFilaBaja(t), 0);
    EXPECT_TRUE(CompruebaVacio(t));

    // The margin counts for the lowest row but not for emptiness or kinds.
    t(17, 3).Tipo = 2;
    t(4, 15).Tipo = 2;
    EXPECT_EQ(BuscaFilaBaja(t), 15);
    EXPECT_TRUE(CompruebaVacio(t));
    EXPECT_FALSE(ExisteFicha(t, 1));

    t(16, 14).Tipo = 7;
    EXPECT_FALSE(CompruebaVacio(t));
    EXPECT_TRUE(ExisteFicha(t, 6)); // kind 6 looks for stones
    EXPECT_FALSE(ExisteFicha(t, 0));

    // Column 18 and row 16 are outside every scan.
    Tablero outside;
    outside(18, 2).Tipo = 1;
    outside(3, 16).Tipo = 1;
    EXPECT_EQ(BuscaFilaBaja(outside), 0);
    EXPECT_TRUE(CompruebaVacio(outside));
}

TEST(Board, ClearAndPetrifyIncludeTheMarginButNothingBeyond)
{
    Tablero t;
    t(0, 0) = {3, 10, 20, -1};
    t(17, 15).Tipo = 4;
    t(18, 16).Tipo = 5; // never addressed
    PetrificaTablero(t);
    EXPECT_EQ(t(0, 0).Tipo, kStone);
    EXPECT_EQ(t(17, 15).Tipo, kStone);
    EXPECT_EQ(t(18, 16).Tipo, 5);

    BorraTablero(t);
    EXPECT_EQ(t(0, 0).Tipo, 0);
    EXPECT_EQ(t(0, 0).X, 0);
    EXPECT_EQ(t(0, 0).Cae, 0);
    EXPECT_EQ(t(17, 15).Tipo, 0);
    EXPECT_EQ(t(18, 16).Tipo, 5);
}

} // namespace
