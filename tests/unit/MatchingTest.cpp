// Placing the landed piece and removing its group.
#include "fakes/GameFixture.h"

namespace quibix::testing {
namespace {

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

TEST_F(MatchingTest, OnlyEqualPiecesOfTheSixNeighboursJoinAndSmallGroupsStay)
{
    struct Case { std::vector<Put> board; Put shot; int16_t combinations; int group; };
    const Case cases[] = {
        // Odd row 3: the cells above are (5, 2) and (6, 2); (4, 2) is not one.
        {{{4, 2, 4}, {6, 2, 4}}, {5, 3, 4}, 3, 2},
        // Even row 2: the cells above are (4, 1) and (5, 1); (6, 1) is not one.
        {{{4, 1, 4}, {5, 1, 4}, {6, 1, 5}}, {5, 2, 4}, 4, 3},
        // Stones all round join nothing.
        {{{4, 2, kStone}, {6, 2, kStone}, {4, 1, kStone}, {5, 1, kStone}, {4, 3, kStone}, {5, 3, kStone}},
         {5, 2, 6}, 3, 1},
        // A pair is below the minimum.
        {{{4, 0, 3}}, {5, 0, 3}, 3, 2},
        // Six in a row make a group of five with the shot; with 6 needed it stays.
        {{{0, 0, 2}, {1, 0, 2}, {2, 0, 2}, {3, 0, 2}}, {4, 0, 2}, 6, 5},
    };
    for (const Case& k : cases) {
        Form1& g = emptyBoard();
        g.intCombinaciones = k.combinations;
        put(k.board);
        land(k.shot.c, k.shot.r, static_cast<int16_t>(k.shot.code - 1));
        EXPECT_EQ(g.intNumCoords, k.group) << k.shot.c << "," << k.shot.r;
        // Too small to go: everything stays, drawn at rest, and scores nothing.
        expectCodes(k.board);
        expectCodes({k.shot});
        EXPECT_EQ(g.lngUltimoTiro, 0);
        EXPECT_TRUE(effects.played.empty());
        const int x = 25 * k.shot.c + SiInpar(static_cast<int16_t>(k.shot.r), 12), y = 25 * k.shot.r;
        EXPECT_EQ(QPoint(g.tablero(k.shot.c, k.shot.r).X, g.tablero(k.shot.c, k.shot.r).Y), QPoint(x, y));
        EXPECT_NE(g.canvas.Picture2.copy(x, y, 25, 25), g.canvas.Picture3.copy(x, y, 25, 25));
    }
}

TEST_F(MatchingTest, GroupOfThreeVanishesFromBoardAndPictures)
{
    Form1& g = emptyBoard();
    g.lngScore = 100;
    put({{4, 0, 3}, {6, 0, 3}, {5, 1, 1}}); // (5, 1), another kind, stays
    land(5, 0, 2);
    expectCodes({{4, 0, 0}, {5, 0, 0}, {6, 0, 0}, {5, 1, 1}});
    EXPECT_EQ(g.lngUltimoTiro, 10);
    EXPECT_EQ(g.lngScore, 110);
    EXPECT_EQ(sounds(), std::vector<std::string>{"sound18.wav"});
    EXPECT_EQ(window.pausedMs, 3 * 50);
    for (int x : {100, 125, 150}) {
        EXPECT_EQ(g.canvas.Picture2.copy(x, 0, 25, 25), g.canvas.Picture3.copy(x, 0, 25, 25));
        EXPECT_EQ(g.canvas.Picture1.copy(x, 0, 25, 25), g.canvas.Picture3.copy(x, 0, 25, 25));
    }
    EXPECT_EQ(window.pointerShape, kPointerDefault);
}

TEST_F(MatchingTest, SearchIsDepthFirstInNeighbourOrder)
{
    // From (5, 2) breadth first would give (6, 2) before (5, 3); depth first
    // reaches (5, 3) through (4, 2) and (4, 3), and (6, 2) from (5, 3).
    // The far end of the chain, (7, 2), touches only (6, 2).
    Form1& g = emptyBoard();
    put({{4, 2, 2}, {6, 2, 2}, {4, 3, 2}, {5, 3, 2}, {7, 2, 2}});
    land(5, 2, 1);
    ASSERT_EQ(g.intNumCoords, 6);
    const std::vector<std::pair<int, int>> expected{{5, 2}, {4, 2}, {4, 3}, {5, 3}, {6, 2}, {7, 2}};
    for (int k = 1; k <= 6; ++k)
        EXPECT_EQ((std::pair<int, int>{g.Coords[k].X, g.Coords[k].Y}), expected[k - 1]) << k;
    EXPECT_EQ(g.lngUltimoTiro, 37);
}

} // namespace
} // namespace quibix::testing
