// A click as the window sees it: input locked for the whole turn, no second
// shot or aim while one is shown, then a lost game or the next screen.
#include "fakes/GameFixture.h"

#include <algorithm>

namespace quibix::testing {
namespace {

class Form1TurnTest : public GameFixture {
protected:
    // A running game on an emptied board, shown as the board is.
    Form1& emptyBoard()
    {
        Form1& g = startGame(kAllKinds);
        rules().clearBoard(0);
        show();
        log.clear();
        return g;
    }
    void show() { form->redrawField(); }
    // Under one brick row the loss row is 13: column 8 filled down to it, so
    // a shot straight up rests in row 14 and loses.
    void fillColumnToTheLossRow()
    {
        rules().clearBoard(1);
        for (int r = 0; r <= 13; ++r)
            rules().put(8, r, static_cast<int16_t>(1 + r % 2));
        show();
    }
    // Straight up with kind `kind` loaded.
    void shootUp(int16_t kind)
    {
        rules().load(kind, rules().siguiente());
        form->Picture1_MouseMove(180.0f, 0.0f);
        form->Picture1_Click();
    }
    bool before(const std::string& first, const std::string& second) const
    {
        const auto& e = log.events;
        const auto a = std::find(e.begin(), e.end(), first), b = std::find(e.begin(), e.end(), second);
        return a < b && b != e.end();
    }
};

TEST_F(Form1TurnTest, NoClickOrAimGetsInWhileATurnIsShown)
{
    Form1& g = emptyBoard();
    g.Picture1_MouseMove(200.0f, 0.0f); // 70 degrees
    int pauses = 0;
    window.onPause = [&](int) {
        if (++pauses != 3)
            return;
        EXPECT_TRUE(g.shotInProgress());
        EXPECT_EQ(window.pointerShape, kPointerHourglass);
        g.Picture1_Click();
        g.Picture1_MouseMove(100.0f, 0.0f);
    };
    g.Picture1_Click();
    EXPECT_EQ(g.engine().usadas(), 1);
    EXPECT_EQ(g.engine().grados(), 70);
    EXPECT_FALSE(g.shotInProgress());
    EXPECT_EQ(log.events.front(), "disable input");
    EXPECT_EQ(log.count("disable input"), 1);
    EXPECT_EQ(log.count("enable input"), 1);
    EXPECT_EQ(window.pointerShape, kPointerDefault);

    // On the title screen a click is no shot at all.
    g.MenuFile_Click(1);
    log.clear();
    g.Picture1_Click();
    EXPECT_TRUE(log.events.empty());
}

TEST_F(Form1TurnTest, CancelledTurnStopsShowingButKeepsItsEndState)
{
    Form1& g = emptyBoard();
    window.onPause = [&](int) { g.cancelAnimation(); };
    shootUp(3);
    EXPECT_EQ(window.pausedMs, 17); // one flight frame, then nothing more
    EXPECT_EQ(g.engine().board()(8, 0).Tipo, 4);
    EXPECT_EQ(log.count("enable input"), 1);
    EXPECT_EQ(window.caption(Caption::Score), "0");
}

TEST_F(Form1TurnTest, LostGameTurnsToStoneAndGoesBackToTheTitle)
{
    Form1& g = emptyBoard();
    fillColumnToTheLossRow();
    shootUp(5);
    EXPECT_TRUE(window.titleVisible && window.menuEnabled(MenuItem::LevelMenu));
    EXPECT_FALSE(g.running() || window.cursorConfined);
    // Input comes back before the message; a first screen offers no score.
    EXPECT_TRUE(before("enable input", "message You Lose ?8("));
    EXPECT_TRUE(before("music close", "sound lose.wav"));
    EXPECT_TRUE(window.inputs.empty());
    EXPECT_EQ(log.count("sound win.wav"), 0);
}

TEST_F(Form1TurnTest, ClearedScreenLeadsToTheNextAndALaterLossOffersTheScore)
{
    Form1& g = emptyBoard();
    rules().setUsed(19);
    rules().put(8, 0, 3);
    rules().put(9, 0, 3);
    show();
    shootUp(2); // rests at (8, 1) under both: the last group
    // The bonuses are the screens sim script's; the message's wording is in
    // the golden games.
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_TRUE(before("music close", "sound great2.wav"));
    EXPECT_EQ(window.caption(Caption::Score), std::to_string(10 + 1000 + 100000));
    EXPECT_EQ(window.caption(Caption::PartialScore), "10");
    EXPECT_EQ(g.engine().pantalla(), 1);
    EXPECT_TRUE(g.running());

    // Lost on that screen: the score is offered before the win sound.
    fillColumnToTheLossRow();
    log.clear();
    shootUp(5);
    ASSERT_EQ(window.inputs.size(), 1u);
    EXPECT_TRUE(before("input Quibix Master 10", "sound win.wav"));
    EXPECT_EQ(savedRecords()[0].Puntos, static_cast<float>(g.engine().score()));
}

} // namespace
} // namespace quibix::testing
