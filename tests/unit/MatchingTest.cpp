// Placing the landed piece and removing its group.
#include "fakes/GameFixture.h"

namespace quibix::testing {
namespace {

using Cells = std::vector<std::pair<int, int>>;

class MatchingTest : public BoardFixture {
protected:
    // The landed piece of kind `kind` (sprite index) at (c, r).
    void land(int c, int r, int16_t kind)
    {
        form->intFicha = kind;
        form->lngUltimoTiro = 0;
        form->ChequeoFichas(static_cast<int16_t>(c), static_cast<int16_t>(r), 90);
    }
};

TEST_F(MatchingTest, GroupBelowTheMinimumStaysAndScoresNothing)
{
    Form1& g = emptyBoard();
    put(4, 0, 3);
    land(5, 0, 2);
    EXPECT_EQ(code(5, 0), 3);
    EXPECT_EQ(code(4, 0), 3);
    EXPECT_EQ(g.lngUltimoTiro, 0);
    EXPECT_TRUE(effects.played.empty());
    EXPECT_EQ(g.tablero(5, 0).X, 125);
    EXPECT_NE(g.canvas.Picture2.copy(125, 0, 25, 25), g.canvas.Picture3.copy(125, 0, 25, 25));

    // Six in a row make a group of five and the shot; with 6 needed a group
    // of five stays.
    emptyBoard();
    g.intCombinaciones = 6;
    for (int c = 0; c < 4; ++c)
        put(c, 0, 2);
    land(4, 0, 1);
    EXPECT_EQ(g.intNumCoords, 5);
    EXPECT_EQ(code(0, 0), 2);
    EXPECT_EQ(g.lngUltimoTiro, 0);
}

TEST_F(MatchingTest, GroupOfThreeVanishesFromBoardAndPictures)
{
    Form1& g = emptyBoard();
    const long long scoreBefore = g.lngScore = 100;
    put(4, 0, 3);
    put(6, 0, 3);
    put(5, 1, 1); // another kind next to the shot stays
    land(5, 0, 2);
    EXPECT_EQ(code(4, 0), 0);
    EXPECT_EQ(code(5, 0), 0);
    EXPECT_EQ(code(6, 0), 0);
    EXPECT_EQ(code(5, 1), 1);
    EXPECT_EQ(g.lngUltimoTiro, 10);
    EXPECT_EQ(g.lngScore, scoreBefore + 10);
    EXPECT_EQ(sounds(), std::vector<std::string>{"sound18.wav"});
    EXPECT_EQ(window.pausedMs, 3 * 50);
    for (int x : {100, 125, 150}) {
        EXPECT_EQ(g.canvas.Picture2.copy(x, 0, 25, 25), g.canvas.Picture3.copy(x, 0, 25, 25));
        EXPECT_EQ(g.canvas.Picture1.copy(x, 0, 25, 25), g.canvas.Picture3.copy(x, 0, 25, 25));
    }
    EXPECT_EQ(window.pointerShape, kPointerDefault);
}

TEST_F(MatchingTest, OnlyEqualPiecesOfTheSixNeighboursJoin)
{
    // Odd row 3: the cells above are (5, 2) and (6, 2); (4, 2) is not one.
    Form1& g = emptyBoard();
    put(4, 2, 4);
    put(6, 2, 4);
    land(5, 3, 3);
    EXPECT_EQ(g.intNumCoords, 2);

    // Even row 2: the cells above are (4, 1) and (5, 1); (6, 1) is not one.
    emptyBoard();
    put(4, 1, 4);
    put(5, 1, 4);
    put(6, 1, 5);
    land(5, 2, 3);
    EXPECT_EQ(g.intNumCoords, 3);
    EXPECT_EQ(code(6, 1), 5);

    // Stones all round join nothing.
    emptyBoard();
    for (auto [c, r] : Cells{{4, 2}, {6, 2}, {4, 1}, {5, 1}, {4, 3}, {5, 3}})
        put(c, r, kStone);
    land(5, 2, 5);
    EXPECT_EQ(g.intNumCoords, 1);
    EXPECT_EQ(code(5, 2), 6);
}

TEST_F(MatchingTest, SearchIsDepthFirstInNeighbourOrder)
{
    // From (5, 2) breadth first would give (6, 2) before (5, 3); depth first
    // reaches (5, 3) through (4, 2) and (4, 3), and (6, 2) from (5, 3).
    // The far end of the chain, (7, 2), touches only (6, 2).
    Form1& g = emptyBoard();
    for (auto [c, r] : Cells{{4, 2}, {6, 2}, {4, 3}, {5, 3}, {7, 2}})
        put(c, r, 2);
    land(5, 2, 1);
    ASSERT_EQ(g.intNumCoords, 6);
    const std::vector<std::pair<int, int>> expected{{5, 2}, {4, 2}, {4, 3}, {5, 3}, {6, 2}, {7, 2}};
    for (int k = 1; k <= 6; ++k)
        EXPECT_EQ((std::pair<int, int>{g.Coords[k].X, g.Coords[k].Y}), expected[k - 1]) << k;
    EXPECT_EQ(g.lngUltimoTiro, 37);
}

} // namespace
} // namespace quibix::testing
