// The flight of a shot: steps, walls, ceiling, landing cell, and what the
// click leaves behind.
#include "fakes/GameFixture.h"

#include <algorithm>

namespace quibix::testing {
namespace {

class ShotTest : public BoardFixture {
protected:
    // Fires at `angle` and answers the number of drawn frames (17 ms each;
    // nothing else in these turns pauses).
    long long shoot(int16_t angle)
    {
        form->intGrados = angle;
        window.pausedMs = 0;
        form->Picture1_Click();
        EXPECT_EQ(window.pausedMs % 17, 0);
        return window.pausedMs / 17;
    }
};

TEST_F(ShotTest, OnAnEmptyBoardTheShotReboundsAndRestsUnderTheCeilingOrTheBricks)
{
    // 2 and 178 degrees: 1110 steps, the last one landing; the 13 steps that
    // end beyond the wall line put the sprite at a negative x, which draws
    // nothing and takes no time.
    struct Case { int16_t bricks, angle, kind; long long frames; int rebounds, column; };
    for (const Case& k : {Case{0, 90, 3, 39, 0, 8}, Case{2, 90, 1, 34, 0, 8}, Case{0, 45, 4, 55, 1, 9},
                          Case{0, 2, 4, 1096, 26, 16}, Case{0, 178, 4, 1096, 26, 1}}) {
        Form1& g = emptyBoard(k.bricks);
        g.intFicha = k.kind;
        EXPECT_EQ(shoot(k.angle), k.frames) << k.angle;
        const auto sound = std::pair<std::string, int16_t>{"rebound.wav", 3};
        EXPECT_EQ(std::count(effects.played.begin(), effects.played.end(), sound), k.rebounds) << k.angle;
        EXPECT_EQ(code(k.column, 0), k.kind + 1) << k.angle;
        const Casilla& cell = g.tablero(k.column, 0);
        EXPECT_EQ(QPoint(cell.X, cell.Y), QPoint(25 * k.column, 25 * k.bricks)) << k.angle;
        // The aim comes back, the shot state is reset.
        EXPECT_EQ(g.intGrados, k.angle);
        EXPECT_EQ(g.intUsadas, 1);
        EXPECT_EQ(g.blnDisparo, kFalse);
        EXPECT_EQ(QPoint(g.lngCañonX, g.lngCañonY), QPoint(221, 420));
        EXPECT_EQ(g.intRadioRebote, 0);
    }
}

TEST_F(ShotTest, StopsInTheLastEmptyCellBeforeAPieceOrInTheMarginRowAndLoses)
{
    // A column of alternating kinds down to row 5; the shot's kind joins none.
    Form1& g = emptyBoard();
    column(8, 5);
    g.intFicha = 5;
    EXPECT_EQ(shoot(90), 27);
    EXPECT_EQ(code(8, 6), 6);
    EXPECT_EQ(QPoint(g.tablero(8, 6).X, g.tablero(8, 6).Y), QPoint(200, 150));
    EXPECT_TRUE(g.gameRunning);

    // Entering row 14 from below rests in the margin row.
    emptyBoard();
    column(8, 14);
    g.intFicha = 5;
    shoot(90);
    EXPECT_EQ(code(8, 15), kStone); // landed, then turned to stone by the loss
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].first, "You Lose ?8(");
    EXPECT_FALSE(g.gameRunning);
}

TEST_F(ShotTest, CellColumnNearTheRightWall)
{
    // Even row 4: x = 424.5 converts to 424 (column 16); above it and up to
    // 425 converts to 425, the margin column; beyond 425 is the wall.
    Form1& g = emptyBoard();
    auto step = [&](int32_t x, int16_t angle) {
        g.lngCañonX = x;
        g.lngCañonY = 101;
        g.intRadioRebote = 0;
        g.intGrados = angle;
        effects.played.clear();
        g.PintaBala(g.intGrados, 1);
    };
    step(424, 60);
    EXPECT_FLOAT_EQ(g.sngBalaX, 424.5f);
    EXPECT_EQ(g.intBalaFila, 4);
    EXPECT_EQ(g.intBalaCol, 16);

    step(424, 45);
    EXPECT_EQ(g.intBalaCol, 17);
    EXPECT_EQ(g.intGrados, 45);
    EXPECT_TRUE(effects.played.empty());

    step(425, 45);
    EXPECT_EQ(g.intBalaCol, 16);
    EXPECT_EQ(g.intGrados, 135);
    EXPECT_EQ(g.intRadioRebote, 1);
    EXPECT_EQ(g.lngCañonX, 426); // the point beyond the wall line, not on it
    EXPECT_EQ(sounds(), std::vector<std::string>{"rebound.wav"});
}

TEST_F(ShotTest, ClickLocksInputForTheWholeTurnAndKeepsTheCannonStripButNeedsAGame)
{
    Form1& g = load();
    g.Picture1_Click();
    EXPECT_EQ(g.intUsadas, 0);
    EXPECT_TRUE(log.events.empty());

    emptyBoard();
    window.pointerShape = kPointerDefault;
    g.intFicha = 2;
    // The strip as the field shows it when the shot starts, minus the piece
    // that leaves the cannon.
    const QImage strip = g.canvas.Picture3.copy(209, 408, 25, 25);
    shoot(90);
    ASSERT_FALSE(log.events.empty());
    EXPECT_EQ(log.events.front(), "disable input");
    EXPECT_EQ(log.count("enable input"), 1);
    EXPECT_EQ(window.pointerShape, kPointerDefault);
    EXPECT_EQ(effects.played.front().first, "shoot.wav");
    EXPECT_EQ(g.canvas.hdcFondoBajo.copy(209, 100, 25, 25), strip);
}

} // namespace
} // namespace quibix::testing
