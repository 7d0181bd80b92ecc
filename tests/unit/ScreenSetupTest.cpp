// What the window does when a screen is set up: the field uncovered and
// shown, the cursor and the music. The layout itself is the engine's.
#include "fakes/Form1TestAccess.h"
#include "fakes/GameFixture.h"

using namespace quibix;
using namespace quibix::testing;

namespace {

class ScreenSetupTest : public GameFixture {};

TEST_F(ScreenSetupTest, FieldIsShownAndTheLabelsKeepTheLastGame)
{
    Form1& f = load();
    window.setCaption(Caption::Score, 0, "1234");
    f.NuevaPantalla(3);
    // What is drawn is DrawingTest's and the soak test's; here that it is shown.
    EXPECT_EQ(window.shownPicture1, f.surfaces().Picture1);
    EXPECT_EQ(window.shownBand, f.surfaces().PicBanda);
    EXPECT_EQ(window.caption(Caption::Score), "1234");
    EXPECT_FALSE(window.titleVisible);
    EXPECT_TRUE(f.running());
    EXPECT_FALSE(window.menuEnabled(MenuItem::LevelMenu));
    EXPECT_FALSE(window.menuEnabled(MenuItem::ChoosePieces));
}

TEST_F(ScreenSetupTest, TheCursorEndsHiddenAtMinusOneWhateverItWas)
{
    Form1& f = load();
    f.Form_KeyPress(27); // on the title screen Escape leaves the pointer alone
    EXPECT_EQ(window.cursorCounter, 0);
    for (int before : {3, 0, -1, -6}) {
        window.cursorCounter = before;
        f.NuevaPantalla(0);
        EXPECT_EQ(window.cursorCounter, -1) << before;
        EXPECT_FALSE(f.cursorFree());
        EXPECT_TRUE(window.cursorConfined);
        // Other keys do nothing; one Escape shows it, a second hides it.
        f.Form_KeyPress(13);
        f.Form_KeyPress('a');
        EXPECT_EQ(window.cursorCounter, -1);
        f.Form_KeyPress(27);
        EXPECT_EQ(window.cursorCounter, 0);
        EXPECT_FALSE(window.cursorConfined);
        f.Picture1_KeyPress(27);
        EXPECT_EQ(window.cursorCounter, -1);
        EXPECT_TRUE(window.cursorConfined);
    }
}

TEST_F(ScreenSetupTest, MusicIsOpenedQuietlyAndThePieceIsDrawnAfterTheDeal)
{
    // Which commands each event gives, and the pick rule, are MusicTest's.
    Form1& f = load();
    folder.writeFile("data/b.mid");
    Form1TestAccess::listMusic(f, {"a.mid", "B.MID", "c.mid"});
    // The number after the layout and the deal picks N(0.5 x 2) = 1: the second.
    script({0.5f});
    f.NuevaPantalla(1);
    EXPECT_FALSE(music.notify);
    EXPECT_FALSE(music.wait);
    EXPECT_EQ(music.commands, (std::vector<std::string>{"open", "open", "play"}));
    EXPECT_EQ(music.fileName, folder.path() / "data" / "b.mid");
}

} // namespace
