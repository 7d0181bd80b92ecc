// The end of a turn: scores, fuse and explosion, the next piece, a lost
// game and a cleared screen.
#include "fakes/GameFixture.h"

#include "render/Module1.h"

#include <algorithm>

namespace quibix::testing {
namespace {

class TurnTest : public BoardFixture {
protected:
    // The turn after a shot of kind `kind` came to rest at (c, r).
    void turn(int c, int r, int16_t kind)
    {
        // As the click does: the piece leaves the cannon.
        CopyRect(form->canvas.Picture2, 209, 408, 25, 25, form->canvas.Picture3, 209, 408);
        CopyRect(form->canvas.Picture1, 209, 408, 25, 25, form->canvas.Picture3, 209, 408);
        form->intFicha = kind;
        form->intUsadas = static_cast<int16_t>(form->intUsadas + 1);
        form->resolveTurn(static_cast<int16_t>(c), static_cast<int16_t>(r), 90, kPointerDefault);
    }

    // A sprite drawn masked over the clean background at a slot.
    QImage slotWith(int x, int y, int16_t sprite)
    {
        QImage expected = form->canvas.Picture3.copy(x, y, 25, 25);
        QImage scratch;
        DibujaTransparente(expected, form->canvas.picIcono[sprite], form->canvas.picIconoMK[sprite],
                           scratch, 0, 0, 25, 25);
        return expected;
    }

    // The band after drawing fuse frame `frame` on a copy of it.
    QImage bandWithFuse(int frame)
    {
        const QImage saved = form->canvas.PicBanda.copy();
        form->canvas.drawFuse(frame);
        QImage band = form->canvas.PicBanda.copy();
        form->canvas.PicBanda = saved;
        return band;
    }

    bool before(const std::string& first, const std::string& second) const
    {
        const auto& e = log.events;
        const auto a = std::find(e.begin(), e.end(), first);
        const auto b = std::find(e.begin(), e.end(), second);
        return a != e.end() && b != e.end() && a < b;
    }
};

TEST_F(TurnTest, WhatTheTurnBringsDownScoresAndSetsTheFuse)
{
    struct Case { std::vector<Put> board; Put shot; int16_t fuse, fuseAfter; int32_t points; };
    const Case cases[] = {
        // A group and a fall together: (4, 1) hangs from (4, 0) and (5, 0)
        // only, (5, 1) from (5, 0) and (6, 0).
        {{{4, 0, 2}, {5, 0, 2}, {4, 1, 3}, {5, 1, 4}, {12, 0, 5}}, {6, 0, 2}, 3, 1, 10 + 40},
        {{{8, 0, 1}}, {8, 1, 2}, 2, 3, 0},           // a piece that sticks
        {{{3, 0, 4}, {4, 0, 4}, {8, 0, 1}}, {5, 0, 4}, 3, 4, 10}, // a group without a fall
    };
    for (const Case& k : cases) {
        Form1& g = emptyBoard();
        g.lngScore = 300;
        g.intMecha = k.fuse;
        put(k.board);
        turn(k.shot.c, k.shot.r, static_cast<int16_t>(k.shot.code - 1));
        EXPECT_EQ(g.lngUltimoTiro, k.points);
        EXPECT_EQ(g.lngScore, 300 + k.points);
        EXPECT_EQ(g.intMecha, k.fuseAfter);
        EXPECT_EQ(window.caption(Caption::PartialScore), std::to_string(k.points));
        EXPECT_EQ(window.caption(Caption::Score), std::to_string(300 + k.points));
        EXPECT_EQ(g.canvas.PicBanda, bandWithFuse(k.fuseAfter));
    }
}

TEST_F(TurnTest, BurntFuseBlowsTheDynamiteAndLowersTheBoard)
{
    Form1& g = emptyBoard();
    const QImage freshBand = g.canvas.PicBanda.copy();
    g.intMecha = 6;
    put({{8, 0, 1}, {8, 1, 2}, {17, 2, 4}}); // (17, 2): in the margin column
    turn(2, 0, 3);
    EXPECT_EQ(g.intMecha, 0);
    EXPECT_EQ(g.intLadrillos, 1);
    EXPECT_EQ(g.intFilaLimite, 13);
    EXPECT_EQ(g.tablero(8, 1).Y, 50);
    EXPECT_EQ(g.tablero(17, 2).Y, 75);
    EXPECT_EQ(g.tablero(2, 0).Y, 25);
    EXPECT_EQ(g.intSoundFlags, 3);
    const std::vector<std::pair<std::string, int16_t>> expected{{"boom.wav", 2}, {"down1.wav", 3}};
    EXPECT_EQ(effects.played, expected);
    EXPECT_EQ(g.canvas.Picture2.copy(0, 0, 442, 25), g.canvas.ladrillo.copy(0, 0, 442, 25));
    EXPECT_EQ(g.canvas.PicBanda, freshBand); // fuse frame 0, dynamite whole
    EXPECT_TRUE(g.gameRunning);
}

TEST_F(TurnTest, ExplosionCanLoseTheGameInTheSameTurn)
{
    Form1& g = emptyBoard();
    g.intFilaLimite = 10;
    g.intMecha = 6;
    column(0, 10);
    turn(10, 0, 3);
    EXPECT_EQ(g.intFilaLimite, 9);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0], (std::pair<std::string, std::string>{"You Lose ?8(", "Quibix"}));
    for (int r = 0; r <= 10; ++r)
        EXPECT_EQ(code(0, r), kStone);
    EXPECT_EQ(code(10, 0), kStone);
    EXPECT_EQ(g.canvas.Picture2.copy(12, 50, 25, 25), slotWith(12, 50, 6)); // (0, 1), one row lower
    EXPECT_TRUE(window.titleVisible);
    EXPECT_TRUE(window.menuEnabled(MenuItem::LevelMenu));
    EXPECT_TRUE(window.menuEnabled(MenuItem::ChoosePieces));
    EXPECT_FALSE(g.gameRunning);
    EXPECT_EQ(g.blnCursor, kTrue);
    EXPECT_FALSE(window.cursorConfined);
    // Input comes back before the message; a first screen offers no score.
    EXPECT_TRUE(before("enable input", "message You Lose ?8("));
    EXPECT_TRUE(before("music close", "sound lose.wav"));
    EXPECT_TRUE(window.inputs.empty());
    EXPECT_EQ(log.count("sound win.wav"), 0);
}

TEST_F(TurnTest, LossOnALaterScreenOffersTheScoreBeforeTheWinSound)
{
    Form1& g = emptyBoard();
    g.intPantalla = 1;
    g.lngScore = 4321;
    g.intFilaLimite = 5;
    column(0, 6);
    turn(5, 0, 3);
    ASSERT_EQ(window.inputs.size(), 1u);
    EXPECT_TRUE(before("input Quibix Master 10", "sound win.wav"));
    EXPECT_EQ(g.Records[0].Puntos, 4321.0f);
}

TEST_F(TurnTest, ClearedScreenAddsTheBonusAndSetsUpTheNext)
{
    // The quotient is truncated: 30 pieces give 66666, not 66667.
    for (auto [used, bonus] : {std::pair{20, 100000}, std::pair{30, 66666}}) {
        Form1& g = emptyBoard();
        g.lngScore = 500;
        g.intUsadas = static_cast<int16_t>(used - 1);
        put({{4, 0, 3}, {5, 0, 3}});
        turn(6, 0, 2); // the last piece
        ASSERT_EQ(window.messages.size(), 1u);
        EXPECT_EQ(window.messages[0].first,
                  "Congratulations!!, you have finished a screen.\r\rFull screen Bonus = 1000\r\r"
                  "                 Quibix used = " + std::to_string(used) +
                  "\rBonus per Quibix used = " + std::to_string(bonus));
        EXPECT_EQ(g.lngScore, 500 + 10 + 1000 + bonus);
        EXPECT_EQ(window.caption(Caption::Score), std::to_string(500 + 10 + 1000 + bonus));
        EXPECT_EQ(window.caption(Caption::PartialScore), "10");
        EXPECT_EQ(g.intPantalla, 1);
        EXPECT_EQ(g.intLadrillos, 1); // the next screen is set up
        EXPECT_EQ(g.intUsadas, 0);
        EXPECT_NE(code(0, 0), 0);
        EXPECT_TRUE(before("music close", "sound great2.wav"));
        EXPECT_TRUE(g.gameRunning);
    }
}

TEST_F(TurnTest, NextPieceIsAKindStillOnTheBoard)
{
    // Kinds 0 and 1 remain; 0.5 draws 2, 0.95 draws 5, 0.3 draws 2 again,
    // 0.25 draws 1.
    Form1& g = emptyBoard();
    put({{0, 0, 2}, {2, 0, 2}});
    g.intSiguiente = 4;
    script({0.5f, 0.95f, 0.3f, 0.25f});
    turn(10, 0, 0);
    EXPECT_EQ(g.intFicha, 4); // the old preview, though no longer on the board
    EXPECT_EQ(g.intSiguiente, 1);
    EXPECT_EQ(random.drawn(), 4u);
}

TEST_F(TurnTest, StonesAloneDoNotHangTheNextPieceDraw)
{
    // Stones never reach the top row in play; should they, with no shot kind
    // left the first draw stands.
    Form1& g = emptyBoard();
    put({{0, 0, kStone}, {4, 0, 3}, {5, 0, 3}});
    script({0.5f});
    turn(6, 0, 2);
    EXPECT_EQ(code(0, 0), kStone);
    EXPECT_EQ(g.intSiguiente, 2);
    EXPECT_TRUE(g.gameRunning);
}

TEST_F(TurnTest, PieceSlotsShowOnlyTheCurrentPieces)
{
    Form1& g = emptyBoard();
    put({{0, 0, 1}, {3, 0, 2}, {6, 0, 3}});
    // The old preview: a kind whose sprite fills its whole square, so that
    // any of it left on the resting picture shows around the new one.
    g.canvas.picIcono[5].fill(QColor(255, 0, 0));
    g.canvas.picIconoMK[5].fill(Qt::black);
    g.intSiguiente = 5;
    g.canvas.DibujaIcono(398, 416, 5, false, 0);
    script({0.0f});
    turn(10, 0, 0);
    ASSERT_EQ(g.intSiguiente, 0);
    EXPECT_EQ(g.canvas.Picture2.copy(398, 416, 25, 25), slotWith(398, 416, 0));
    EXPECT_EQ(g.canvas.Picture1.copy(398, 416, 25, 25), slotWith(398, 416, 0));
    EXPECT_EQ(g.canvas.Picture2.copy(209, 408, 25, 25), slotWith(209, 408, 5));
}

} // namespace
} // namespace quibix::testing
