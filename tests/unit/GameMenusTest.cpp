// "New Game", "Stop Game" and the Level menu.
#include "fakes/GameFixture.h"

namespace quibix::testing {
namespace {

class GameMenusTest : public BoardFixture {};

TEST_F(GameMenusTest, StopGameOnlyWhileAGameRuns)
{
    Form1& g = load();
    g.intPantalla = 3; // as a finished game would leave it
    g.lngScore = 5000;
    g.MenuFile_Click(1);
    EXPECT_TRUE(log.events.empty());

    startGame(allKinds());
    window.setMenuEnabled(MenuItem::LevelMenu, false);
    clearRecords();
    g.MenuFile_Click(1);
    EXPECT_FALSE(g.gameRunning);
    EXPECT_TRUE(window.titleVisible);
    EXPECT_TRUE(window.menuEnabled(MenuItem::LevelMenu));
    EXPECT_TRUE(window.menuEnabled(MenuItem::ChoosePieces));
    // On the first screen no score is offered.
    EXPECT_EQ(log.events, (std::vector<std::string>{"title shown", "sound lose.wav", "music close"}));

    // A second "Stop Game" on the title screen offers nothing again.
    clearRecords();
    g.MenuFile_Click(1);
    EXPECT_TRUE(log.events.empty());
}

TEST_F(GameMenusTest, StopGameOnALaterScreenOffersTheScoreToTheTableTheGameBeganIn)
{
    // A game raised from Easy to Hard at screen 5 still enters Easy.
    Form1& g = startGame(allKinds());
    g.intPantalla = 5;
    g.NuevaPantalla(5);
    ASSERT_EQ(g.intLevel, 1);
    g.lngScore = 777;
    const int32_t cursor = window.cursorCounter;
    clearRecords();
    g.MenuFile_Click(1);
    EXPECT_EQ(log.events, (std::vector<std::string>{"title shown", "sound lose.wav", "music close",
                                                     "input Quibix Master 10", "sound win.wav"}));
    EXPECT_EQ(g.Records[0].Puntos, 777.0f);
    EXPECT_EQ(g.Records[10].Puntos, 0.0f);
    EXPECT_EQ(window.cursorCounter, cursor + 1); // the hidden pointer is freed
    // The board and the score stay until the next game.
    EXPECT_EQ(g.lngScore, 777);
    EXPECT_NE(code(0, 0), 0);
}

TEST_F(GameMenusTest, NewGameAbandonsTheRunningGame)
{
    Form1& g = startGame(allKinds());
    g.intPantalla = 3;
    g.lngScore = 999;
    g.MenuFile_Click(0);
    EXPECT_EQ(g.intPantalla, 0);
    EXPECT_EQ(g.lngScore, 0);
    EXPECT_TRUE(window.inputs.empty());
    EXPECT_TRUE(g.gameRunning);
    EXPECT_FALSE(window.titleVisible);
}

TEST_F(GameMenusTest, LevelSetsChecksCoverAndTable)
{
    const QColor hardCover(30, 160, 90);
    folder.writePicture("data/paredb.jpg", hardCover);
    Form1& g = load();
    g.Records[10].Puntos = 4242;
    const int loads = window.titlePictureLoads;

    for (int again = 1; again <= 2; ++again) { // the same level again repeats everything
        g.MenuLevel_Click(1);
        EXPECT_EQ(g.intLevel, 1);
        EXPECT_EQ(g.intRecordLevel, 1);
        EXPECT_TRUE(window.menuChecked(MenuItem::Hard));
        EXPECT_FALSE(window.menuChecked(MenuItem::Easy));
        EXPECT_EQ(window.titlePictureLoads, loads + again);
        EXPECT_NEAR(window.titlePicture.pixelColor(200, 200).green(), hardCover.green(), 6);
        EXPECT_NEAR(window.titlePicture.pixelColor(200, 200).red(), hardCover.red(), 6);
        EXPECT_EQ(window.caption(Caption::RecordValue, 0), "0004242");
    }
    g.MenuLevel_Click(0);
    EXPECT_TRUE(window.menuChecked(MenuItem::Easy));
    EXPECT_FALSE(window.menuChecked(MenuItem::Hard));
    EXPECT_EQ(g.intRecordLevel, 0);
    EXPECT_EQ(window.caption(Caption::RecordValue, 0), "0000000");
}

} // namespace
} // namespace quibix::testing
