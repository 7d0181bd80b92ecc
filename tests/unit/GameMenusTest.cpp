// "New Game", "Stop Game" and the Level menu.
#include "fakes/GameFixture.h"
#include "form/MenuTable.h"

namespace quibix::testing {
namespace {

class GameMenusTest : public GameFixture {};

TEST_F(GameMenusTest, StopGameOffersTheScoreFromALaterScreenToTheTableTheGameBeganIn)
{
    // Stopping on the first screen, where no score is offered, and stopping
    // with no game running are golden game 5's. A game raised from Easy to
    // Hard at screen 5 still enters Easy, and the Level menu keeps its mark.
    Form1& g = startGame();
    rules().setPantalla(5);
    g.NuevaPantalla(5);
    ASSERT_EQ(g.engine().level(), 1);
    EXPECT_TRUE(window.menuChecked(MenuItem::Easy));
    rules().setScore(777);
    const int32_t cursor = window.cursorCounter;
    log.clear();
    g.MenuFile_Click(1);
    EXPECT_EQ(log.events, (std::vector<std::string>{"title shown", "sound lose.wav", "music close",
                                                     "input Quibix Master 10", "sound win.wav"}));
    EXPECT_EQ(savedRecords()[0].Puntos, 777.0f);
    EXPECT_EQ(savedRecords()[10].Puntos, 0.0f);
    EXPECT_EQ(window.cursorCounter, cursor + 1); // the hidden pointer is freed
    // The board and the score stay until the next game.
    EXPECT_EQ(g.engine().score(), 777);
    EXPECT_NE(g.engine().board()(0, 0).Tipo, 0);
    // The next game starts again at the level chosen in the menu.
    g.cmdStart_Click();
    EXPECT_EQ(g.engine().level(), 0);
}

TEST_F(GameMenusTest, NewGameAbandonsTheRunningGame)
{
    Form1& g = startGame();
    rules().setPantalla(3);
    rules().setScore(999);
    g.MenuFile_Click(0);
    EXPECT_EQ(g.engine().pantalla(), 0);
    EXPECT_EQ(g.engine().score(), 0);
    EXPECT_TRUE(window.inputs.empty());
    EXPECT_TRUE(g.running());
    EXPECT_FALSE(window.titleVisible);
}

// The marks and the cover, also for the level already chosen, are traced
// by the golden games, whose record tables are all empty.
TEST_F(GameMenusTest, LevelShowsItsOwnRecordTable)
{
    Form1& g = load();
    RecordTable rows{};
    rows[10].Puntos = 4242;
    ASSERT_TRUE(HighScoreFile(folder.path() / "data" / "Quibix.dat").write(rows));
    g.LeeRecords();
    for (int level : {1, 0}) {
        g.MenuLevel_Click(level);
        EXPECT_EQ(window.caption(Caption::RecordValue, 0), level ? "0004242" : "0000000");
    }
}

// The table's handlers, as a click on each item runs them: each item does
// its own thing (the bar's look and the groups are MenuTableTest's).
TEST_F(GameMenusTest, EachMenuItemRunsItsOwnHandler)
{
    folder.writeFile("Readme.txt");
    Form1& g = load();
    auto click = [&](MenuItem item) {
        log.clear();
        const MenuEntry* entry = menuEntry(item);
        ASSERT_TRUE(entry != nullptr && entry->onGame != nullptr);
        entry->onGame(g);
    };
    click(MenuItem::ChoosePieces);
    EXPECT_EQ(log.count("choose pieces"), 1);
    click(MenuItem::ChooseSkins);
    EXPECT_EQ(log.count("choose skin"), 1);
    click(MenuItem::SaveSettings);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "data" / "Quibix.cfg"));
    click(MenuItem::Combinations5);
    EXPECT_EQ(g.engine().combinaciones(), 5);
    click(MenuItem::ShapeSaw);
    EXPECT_EQ(g.engine().forma(), 4);
    click(MenuItem::Hard);
    EXPECT_TRUE(window.menuChecked(MenuItem::Hard));
    click(MenuItem::Music);
    EXPECT_FALSE(window.menuChecked(MenuItem::Music));
    click(MenuItem::FxSound);
    EXPECT_FALSE(window.menuChecked(MenuItem::FxSound));
    click(MenuItem::About);
    EXPECT_EQ(log.count("about"), 1);
    click(MenuItem::Readme);
    EXPECT_EQ(window.openedFiles.size(), 1u);
    click(MenuItem::NewGame);
    EXPECT_TRUE(g.running());
    click(MenuItem::StopGame);
    EXPECT_FALSE(g.running());
    click(MenuItem::Exit);
    EXPECT_TRUE(window.quitRequested);
}

} // namespace
} // namespace quibix::testing
