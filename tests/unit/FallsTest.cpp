// Pieces cut off from the top row: which fall, what they score, the fuse,
// and what the fall leaves on screen.
#include "fakes/GameFixture.h"

#include "render/Module1.h"

namespace quibix::testing {
namespace {

using Cells = std::vector<std::pair<int, int>>;

class FallsTest : public BoardFixture {
protected:
    // What the shot does before anything falls: keep the cannon strip.
    void saveStrip()
    {
        CopyRect(form->canvas.hdcFondoBajo, 0, 0, kFieldWidth, kBottomStripHeight,
                 form->canvas.Picture1, 0, kBottomStripTop);
    }
    void fall()
    {
        saveStrip();
        form->CaenFichas();
    }
};

TEST_F(FallsTest, OnlyPiecesWithAPathToTheTopRowStay)
{
    // (3, 1) is on an odd row: it hangs from (3, 0) and (4, 0), not (2, 0).
    Form1& g = emptyBoard();
    put(4, 0, 1);
    put(3, 1, 2);
    put(10, 0, 3); // a lone piece of the top row hangs by itself
    fall();
    EXPECT_EQ(code(3, 1), 2);
    EXPECT_EQ(code(10, 0), 3);
    EXPECT_EQ(g.intMecha, 1);
    EXPECT_TRUE(effects.played.empty());
    EXPECT_EQ(window.pausedMs, 0);

    emptyBoard();
    put(2, 0, 1);
    put(3, 1, 2);
    fall();
    EXPECT_EQ(code(3, 1), 0);
    EXPECT_EQ(g.lngScore, 10);

    // (3, 2), on an even row, hangs from (2, 1).
    emptyBoard();
    for (auto [c, r] : Cells{{2, 0}, {2, 1}, {3, 2}})
        put(c, r, 4);
    fall();
    EXPECT_EQ(code(3, 2), 4);
    EXPECT_EQ(g.lngScore, 0);

    // A stone holds up like a piece, and falls like one.
    emptyBoard();
    for (auto [c, r] : Cells{{5, 0}, {5, 1}, {5, 2}, {8, 1}, {8, 2}})
        put(c, r, r == 1 ? kStone : int16_t{3});
    fall();
    EXPECT_EQ(code(5, 2), 3);
    EXPECT_EQ(code(8, 1), 0);
    EXPECT_EQ(g.lngCaidas, 2);
}

TEST_F(FallsTest, ScoresCheersAndBurnsTheFuseBack)
{
    Form1& g = emptyBoard();
    g.lngScore = 1000;
    g.lngUltimoTiro = 10; // the group of the same shot
    g.intMecha = 4;
    for (int c = 0; c < 3; ++c)
        put(c, 3, 2);
    fall();
    EXPECT_EQ(g.lngUltimoTiro, 10 + 90);
    EXPECT_EQ(g.lngScore, 1000 + 90);
    EXPECT_EQ(sounds(), std::vector<std::string>{"great1.wav"});
    EXPECT_EQ(g.intMecha, 1);

    emptyBoard();
    g.lngScore = 0;
    g.lngUltimoTiro = 0;
    g.intMecha = 2;
    for (int c = 0; c < 5; ++c)
        put(c, 3, 2);
    fall();
    EXPECT_EQ(g.lngUltimoTiro, 250);
    EXPECT_EQ(sounds(), std::vector<std::string>{"great2.wav"});
    EXPECT_EQ(g.intMecha, 0); // not -3

    // The fall runs without sound too.
    emptyBoard();
    g.blnFX = kFalse;
    for (int c = 0; c < 4; ++c)
        put(c, 3, 2);
    fall();
    EXPECT_TRUE(effects.played.empty());
    EXPECT_GT(window.pausedMs, 0);
}

TEST_F(FallsTest, AnimationRunsUntilTheHighestPieceLeavesTheField)
{
    // Row 1 without bricks starts at y = 25: 45 frames of 10 ms.
    emptyBoard();
    put(6, 1, 2);
    fall();
    EXPECT_EQ(window.pausedMs, 450);
    EXPECT_EQ(window.presentsBand, 45);

    // Row 14 starts at 350, but at least 5 frames run from 420 on: 12 frames.
    emptyBoard();
    put(6, 14, 2);
    fall();
    EXPECT_EQ(window.pausedMs, 120);
}

TEST_F(FallsTest, PiecesRemovedInTheStripDoNotComeBackWithAFall)
{
    // Column 0 anchors the group (1, 14) (2, 14); the shot completes it at
    // (3, 14). (2, 13) hung only from the group and falls across its squares.
    Form1& g = emptyBoard();
    for (int r = 0; r <= 13; ++r)
        put(0, r, static_cast<int16_t>(5 + r % 2));
    put(1, 14, 1);
    put(2, 14, 1);
    put(2, 13, 3);
    saveStrip();
    g.intFicha = 0;
    g.ChequeoFichas(3, 14, 90);
    ASSERT_EQ(code(2, 14), 0);
    g.CaenFichas();
    EXPECT_EQ(code(2, 13), 0);
    EXPECT_EQ(g.canvas.Picture1.copy(0, 300, 150, 100), g.canvas.Picture2.copy(0, 300, 150, 100));
}

TEST_F(FallsTest, RestingPiecesInTheStripStayWholeWhenOthersFallPast)
{
    // (14, 8) hangs from nothing and falls down x 350..374, past (13, 13),
    // the shot that just landed, and (14, 14), which was there before.
    Form1& g = emptyBoard();
    for (int r = 0; r <= 13; ++r)
        put(10, r, static_cast<int16_t>(1 + r % 2));
    put(11, 13, 3);
    put(12, 13, 4);
    put(14, 14, 5);
    put(14, 8, 6);
    saveStrip();
    g.intFicha = 0;
    g.ChequeoFichas(13, 13, 90);
    g.CaenFichas();
    ASSERT_EQ(code(14, 8), 0);
    ASSERT_EQ(code(14, 14), 5);
    EXPECT_EQ(g.canvas.Picture1.copy(300, 300, 100, 100), g.canvas.Picture2.copy(300, 300, 100, 100));
}

} // namespace
} // namespace quibix::testing
