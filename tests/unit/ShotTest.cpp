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

    int rebounds() const
    {
        return static_cast<int>(std::count(effects.played.begin(), effects.played.end(),
                                           std::pair<std::string, int16_t>{"rebound.wav", 3}));
    }
};

TEST_F(ShotTest, StraightUpRestsUnderTheCeilingOrTheBricks)
{
    Form1& g = emptyBoard();
    g.intFicha = 3;
    EXPECT_EQ(shoot(90), 39);
    EXPECT_EQ(code(8, 0), 4);
    EXPECT_EQ(g.tablero(8, 0).X, 200);
    EXPECT_EQ(g.tablero(8, 0).Y, 0);
    EXPECT_EQ(g.intUsadas, 1);
    EXPECT_EQ(g.intGrados, 90);
    EXPECT_EQ(g.blnDisparo, kFalse);

    emptyBoard(2);
    g.intFicha = 1;
    EXPECT_EQ(shoot(90), 34);
    EXPECT_EQ(code(8, 0), 2);
    EXPECT_EQ(g.tablero(8, 0).Y, 50);
}

TEST_F(ShotTest, StopsInTheLastEmptyCellBeforeAPiece)
{
    // A column of alternating kinds down to row 5; the shot's kind joins none.
    Form1& g = emptyBoard();
    for (int r = 0; r <= 5; ++r)
        put(8, r, static_cast<int16_t>(1 + r % 2));
    g.intFicha = 5;
    EXPECT_EQ(shoot(90), 27);
    EXPECT_EQ(code(8, 6), 6);
    EXPECT_EQ(g.tablero(8, 6).X, 200);
    EXPECT_EQ(g.tablero(8, 6).Y, 150);
    EXPECT_TRUE(g.gameRunning);
}

TEST_F(ShotTest, ReboundsMirrorTheAngleAndRestoreItAfterwards)
{
    Form1& g = emptyBoard();
    g.intFicha = 4;
    EXPECT_EQ(shoot(45), 55);
    EXPECT_EQ(rebounds(), 1);
    EXPECT_EQ(code(9, 0), 5);
    EXPECT_EQ(g.intGrados, 45);
    EXPECT_EQ(g.lngCañonX, 221);
    EXPECT_EQ(g.lngCañonY, 420);
    EXPECT_EQ(g.intRadioRebote, 0);

    // 1110 steps, the last one landing; the 13 steps that end beyond the
    // left wall line put the sprite at a negative x, which draws nothing and
    // takes no time.
    emptyBoard();
    g.intFicha = 4;
    EXPECT_EQ(shoot(2), 1109 - 13);
    EXPECT_EQ(rebounds(), 26);
    EXPECT_EQ(code(16, 0), 5);
    EXPECT_EQ(g.intGrados, 2);

    emptyBoard();
    g.intFicha = 4;
    EXPECT_EQ(shoot(178), 1109 - 13);
    EXPECT_EQ(rebounds(), 26);
    EXPECT_EQ(code(1, 0), 5);
    EXPECT_EQ(g.intGrados, 178);
}

TEST_F(ShotTest, EnteringRow14FromBelowRestsInTheMarginRowAndLoses)
{
    Form1& g = emptyBoard();
    for (int r = 0; r <= 14; ++r)
        put(8, r, static_cast<int16_t>(1 + r % 2));
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
    ASSERT_EQ(effects.played.size(), 1u);
    EXPECT_EQ(effects.played[0].first, "rebound.wav");
}

TEST_F(ShotTest, NoShotWithoutARunningGame)
{
    Form1& g = load();
    g.Picture1_Click();
    EXPECT_EQ(g.intUsadas, 0);
    EXPECT_TRUE(log.events.empty());
}

TEST_F(ShotTest, ClickLocksInputForTheWholeTurnAndKeepsTheCannonStrip)
{
    Form1& g = emptyBoard();
    window.pointerShape = kPointerDefault;
    g.intFicha = 2;
    // The strip as the field shows it when the shot starts, minus the piece
    // that leaves the cannon.
    QImage strip = g.canvas.Picture3.copy(209, 408, 25, 25);
    shoot(90);

    const auto events = log.events;
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), "disable input");
    EXPECT_EQ(log.count("enable input"), 1);
    EXPECT_EQ(window.pointerShape, kPointerDefault);
    EXPECT_EQ(effects.played.front().first, "shoot.wav");
    EXPECT_EQ(g.canvas.hdcFondoBajo.copy(209, 100, 25, 25), strip);
}

} // namespace
} // namespace quibix::testing
