// Start-up, shutdown, effects and the Sound menu. What start-up checks and
// shows is traced, and watched, by the golden games.
#include "fakes/GameFixture.h"

using namespace quibix;
using namespace quibix::testing;

namespace {

using StartupTest = GameFixture;

using Played = std::vector<std::pair<std::string, int16_t>>;

TEST_F(StartupTest, ShowsTheTitleScreenAndTakesTheDataFromTheFolderHoldingTheShotSound)
{
    // With data/shoot.wav every data file comes from data/, in any letter case.
    folder.writeFile("data/Wellcome.WAV");
    folder.writeFile("WELLCOME.WAV");
    const QColor rootBackground(200, 40, 40);
    folder.writePicture("fondo2.jpg", rootBackground);
    Form1& f = game();
    f.Form_Load();
    EXPECT_TRUE(window.titleVisible);
    EXPECT_FALSE(f.running());
    EXPECT_EQ(skinInUse(), "\\data\\");
    // The welcome plays asynchronously; no music starts.
    EXPECT_EQ(effects.played, (Played{{"Wellcome.WAV", 3}}));
    EXPECT_TRUE(music.commands.empty());

    // Without it the application folder is the data folder and the skin.
    folder.remove("data/shoot.wav");
    form.reset();
    effects.played.clear();
    game().Form_Load();
    EXPECT_EQ(effects.played, (Played{{"WELLCOME.WAV", 3}}));
    EXPECT_EQ(skinInUse(), "\\");
    form->NuevaPantalla(0); // its one background
    const QRgb shown = form->surfaces().background().pixel(300, 300);
    EXPECT_LT(std::abs(qRed(shown) - rootBackground.red()) + std::abs(qBlue(shown) - rootBackground.blue()), 16);
}

TEST_F(StartupTest, TheSoundMenuSwitchesEffects)
{
    Form1& f = load();
    f.MenuSound_Click(1);
    EXPECT_FALSE(window.menuChecked(MenuItem::FxSound));
    f.playEffect("shoot.wav");
    EXPECT_TRUE(effects.played.empty());
    f.MenuSound_Click(1);
    f.playEffect("shoot.wav");
    EXPECT_EQ(effects.played, (Played{{"shoot.wav", 3}}));
}

TEST_F(StartupTest, EveryWayOutUnloadsOnceAndEndsTheProgram)
{
    for (int way = 0; way < 3; ++way) {
        form.reset();
        window.quitRequested = false;
        Form1& f = startGame();
        log.clear();
        if (way == 0) f.cmdExit_Click();
        else if (way == 1) f.Exit_Click();
        else f.Form_QueryUnload();

        EXPECT_TRUE(window.quitRequested);
        EXPECT_FALSE(f.surfaces().hasBuffers());
        // The window closing after "Exit" must not unload again.
        f.Form_QueryUnload();
        EXPECT_EQ(log.events, (std::vector<std::string>{"music close", "quit"})) << way;
        EXPECT_TRUE(window.inputs.empty()); // no score is offered
    }
}

} // namespace
