#include "game/Board.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace quibix;

namespace {

using Cell = std::pair<int, int>;

std::vector<Cell> neighbours(int c, int r)
{
    std::vector<Cell> out;
    ForEachNeighbour(c, r, [&](int x, int y) { out.emplace_back(x, y); });
    return out;
}

} // namespace

TEST(Board, NeighbourOrderOnEvenAndOddRows)
{
    EXPECT_EQ(neighbours(5, 2),
              (std::vector<Cell>{{4, 2}, {4, 1}, {4, 3}, {6, 2}, {5, 1}, {5, 3}}));
    EXPECT_EQ(neighbours(5, 3),
              (std::vector<Cell>{{4, 3}, {6, 3}, {6, 2}, {6, 4}, {5, 2}, {5, 4}}));
}

TEST(Board, NeighbourBoundsReachTheMarginButNeverBeyond)
{
    EXPECT_EQ(neighbours(0, 0), (std::vector<Cell>{{1, 0}, {0, 1}}));
    EXPECT_EQ(neighbours(16, 14),
              (std::vector<Cell>{{15, 14}, {15, 13}, {15, 15}, {17, 14}, {16, 13}, {16, 15}}));
    // From the margin corner nothing lies in column 18 or row 16.
    for (auto [c, r] : neighbours(17, 15)) {
        EXPECT_LE(c, 17);
        EXPECT_LE(r, 15);
    }
    // Odd row 15 at column 17: left, then up; no right-hand side.
    EXPECT_EQ(neighbours(17, 15), (std::vector<Cell>{{16, 15}, {17, 14}}));
}

TEST(Board, SiInparShiftsOddRowsIncludingNegativeOnes)
{
    EXPECT_EQ(SiInpar(0, 12), 0);
    EXPECT_EQ(SiInpar(1, 12), 12);
    EXPECT_EQ(SiInpar(-1, 12), 12);
    EXPECT_EQ(SiInpar(14, 12), 0);
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

TEST(Board, ClearAndPetrifyIncludeTheMargin)
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

TEST(Board, BuscaCoordsLooksOnlyAtEntriesInUse)
{
    std::vector<Coordenada> coords{{9, 9, 0}, {1, 2, 0}, {3, 4, 0}};
    EXPECT_FALSE(BuscaCoords(coords, 0, 1, 2));
    EXPECT_FALSE(BuscaCoords(coords, 2, 9, 9)); // entry 0 is never used
    EXPECT_TRUE(BuscaCoords(coords, 2, 3, 4));
    EXPECT_FALSE(BuscaCoords(coords, 1, 3, 4));
}
