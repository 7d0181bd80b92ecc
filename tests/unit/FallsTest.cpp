// Pieces cut off from the top row: which fall, what they score, the fuse,
// and what the fall leaves on screen.
#include "fakes/GameFixture.h"

#include "render/Module1.h"

namespace quibix::testing {
namespace {

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
    struct Case { std::vector<Put> board, after; int32_t score; };
    const Case cases[] = {
        // (3, 1) on an odd row hangs from (3, 0) and (4, 0), not (2, 0); a
        // lone piece of the top row hangs by itself.
        {{{4, 0, 1}, {3, 1, 2}, {10, 0, 3}}, {{3, 1, 2}, {10, 0, 3}}, 0},
        {{{2, 0, 1}, {3, 1, 2}}, {{3, 1, 0}}, 10},
        // (3, 2), on an even row, hangs from (2, 1).
        {{{2, 0, 4}, {2, 1, 4}, {3, 2, 4}}, {{3, 2, 4}}, 0},
        // A stone holds up like a piece, and falls like one.
        {{{5, 0, 3}, {5, 1, kStone}, {5, 2, 3}, {8, 1, kStone}, {8, 2, 3}}, {{5, 2, 3}, {8, 1, 0}}, 40},
    };
    for (const Case& k : cases) {
        Form1& g = emptyBoard();
        put(k.board);
        fall();
        expectCodes(k.after);
        EXPECT_EQ(g.lngScore, k.score);
        if (k.score == 0) { // nothing fell: the fuse burns on, silently
            EXPECT_EQ(g.intMecha, 1);
            EXPECT_TRUE(effects.played.empty());
            EXPECT_EQ(window.pausedMs, 0);
        }
    }
}

TEST_F(FallsTest, ScoresCheersAndBurnsTheFuseBackNeverBelowZero)
{
    struct Case { int fallen; int16_t fuse, fuseAfter; int32_t points; bool fx; const char* sound; };
    for (const Case& k : {Case{3, 4, 1, 90, true, "great1.wav"}, Case{4, 6, 2, 160, true, "great2.wav"},
                          Case{5, 2, 0, 250, true, "great2.wav"}, Case{4, 6, 2, 160, false, nullptr}}) {
        Form1& g = emptyBoard();
        g.lngScore = 1000;
        g.lngUltimoTiro = 10; // the group of the same shot
        g.intMecha = k.fuse;
        g.blnFX = k.fx ? kTrue : kFalse;
        for (int c = 0; c < k.fallen; ++c)
            put(c, 3, 2);
        fall();
        EXPECT_EQ(g.lngUltimoTiro, 10 + k.points) << k.fallen;
        EXPECT_EQ(g.lngScore, 1000 + k.points) << k.fallen;
        EXPECT_EQ(g.intMecha, k.fuseAfter) << k.fallen;
        EXPECT_EQ(sounds(), k.sound ? std::vector<std::string>{k.sound} : std::vector<std::string>{});
        EXPECT_GT(window.pausedMs, 0); // the fall runs without sound too
    }
}

TEST_F(FallsTest, AnimationRunsUntilTheHighestPieceLeavesTheField)
{
    // Row 1 without bricks starts at y = 25: 45 frames of 10 ms. Row 14
    // starts at 350: 12 frames. Under 4 brick rows it starts at 450, but at
    // least 5 frames run, from 420 on.
    struct Case { int16_t bricks; int row, frames; };
    for (const Case& k : {Case{0, 1, 45}, Case{0, 14, 12}, Case{4, 14, 5}}) {
        emptyBoard(k.bricks);
        put(6, k.row, 2);
        fall();
        EXPECT_EQ(window.pausedMs, 10 * k.frames) << k.row;
        EXPECT_EQ(window.presentsBand, k.frames) << k.row;
    }
}

TEST_F(FallsTest, PiecesInTheStripFallingOrRestingLeaveTheScreenAsTheBoardSays)
{
    struct Case { std::vector<Put> board; int anchor, shotC, shotR; QRect area; Put gone, kept; };
    const Case cases[] = {
        // Column 0 anchors the group (1, 14) (2, 14); the shot completes it
        // at (3, 14). (2, 13) hung only from the group and falls across the
        // group's squares, which must not come back.
        {{{1, 14, 1}, {2, 14, 1}, {2, 13, 3}}, 0, 3, 14, {0, 300, 150, 100}, {2, 13, 0}, {2, 14, 0}},
        // (14, 8) hangs from nothing and falls down x 350..374, past (13,
        // 13), the shot that just landed, and (14, 14), there before: both
        // stay whole.
        {{{11, 13, 3}, {12, 13, 4}, {14, 14, 5}, {14, 8, 6}}, 10, 13, 13, {300, 300, 100, 100},
         {14, 8, 0}, {14, 14, 5}},
    };
    for (const Case& k : cases) {
        Form1& g = emptyBoard();
        column(k.anchor, 13, 5);
        put(k.board);
        saveStrip();
        g.intFicha = 0;
        g.ChequeoFichas(static_cast<int16_t>(k.shotC), static_cast<int16_t>(k.shotR), 90);
        g.CaenFichas();
        expectCodes({k.gone, k.kept});
        EXPECT_EQ(g.canvas.Picture1.copy(k.area), g.canvas.Picture2.copy(k.area)) << k.shotC;
    }
}

} // namespace
} // namespace quibix::testing
