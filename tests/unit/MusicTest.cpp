// What the window does when a screen is set up (the cursor, the music; what
// is shown is the golden games'), and the music rules: the listing, the
// choice of a piece and the status event, on a recording music device.
#include "fakes/GameFixture.h"

#include <cmath>

using namespace quibix;
using namespace quibix::testing;

namespace {

using Commands = std::vector<std::string>;
using ScreenSetupTest = GameFixture;

TEST_F(ScreenSetupTest, TheCursorEndsHiddenAtMinusOneWhateverItWas)
{
    Form1& f = load();
    f.Form_KeyPress(27); // on the title screen Escape leaves the pointer alone
    EXPECT_EQ(window.cursorCounter, 0);
    for (int before : {3, 0, -1, -6}) {
        window.cursorCounter = before;
        f.NuevaPantalla(0);
        EXPECT_EQ(window.cursorCounter, -1) << before;
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

// A single piece is enough for music; the device's settings and when the
// piece is drawn are golden-traced.
TEST_F(ScreenSetupTest, OnePieceIsEnoughToStartTheMusic)
{
    Form1& f = load();
    folder.writeFile("data/b.mid");
    f.BuscaMusica();
    f.NuevaPantalla(1);
    EXPECT_EQ(music.commands, (Commands{"open", "open", "play"}));
    EXPECT_EQ(music.fileName, folder.path() / "data" / "b.mid");
}

class MusicTest : public GameFixture {
protected:
    void writeMusic(std::initializer_list<const char*> names)
    {
        for (const char* name : names) folder.writeFile(std::string("data/") + name, "MThd");
    }
};

// The listing of a folder with music is golden-traced (its names, how many,
// the item left usable, nothing played at start-up).
TEST_F(MusicTest, WithoutMidiFilesTheMusicItemIsDisabledAndNothingPlays)
{
    Form1& bare = load();
    EXPECT_FALSE(window.menuEnabled(MenuItem::Music));
    bare.MMControl1_StatusUpdate(); // nothing to choose from
    EXPECT_TRUE(music.commands.empty());
}

// Musicas(1 + N(r (n - 1))), halves to the even neighbour: the boundaries
// of r on each side of every change of piece.
TEST_F(MusicTest, ChoosesAPieceByTheRoundedDrawWithHalvesToEven)
{
    struct Case { int files; float r; const char* piece; };
    const Case cases[] = {
        {1, 0.0f, "1.mid"}, {1, 0.99f, "1.mid"},
        {2, 0.5f, "1.mid"}, {2, std::nextafter(0.5f, 1.0f), "2.mid"},
        {3, 0.25f, "1.mid"}, {3, std::nextafter(0.25f, 1.0f), "2.mid"},
        {3, std::nextafter(0.75f, 0.0f), "2.mid"}, {3, 0.75f, "3.mid"}, {3, 0.99f, "3.mid"},
    };
    Form1& f = load();
    for (const Case& c : cases) {
        for (const char* name : {"data/1.mid", "data/2.mid", "data/3.mid"})
            folder.remove(name);
        writeMusic({"1.mid", "2.mid", "3.mid"});
        for (int k = c.files + 1; k <= 3; ++k)
            folder.remove("data/" + std::to_string(k) + ".mid");
        f.BuscaMusica();
        random = FixedSequenceRandom({c.r});
        f.MMControl1_StatusUpdate();
        EXPECT_EQ(music.fileName.filename(), c.piece) << c.files << " files, r = " << c.r;
    }
    // A count the list cannot hold picks within the list; an empty one, nothing.
    EXPECT_EQ(pickEntry(0.99f, 10, 4), 3);
    EXPECT_EQ(pickEntry(0.99f, 3, 1), 0);
}

TEST_F(MusicTest, TheStatusEventStartsAPieceOnlyWhenTheDeviceRestsAndMusicIsOn)
{
    writeMusic({"a.mid"});
    Form1& f = load();
    struct Case { int mode; bool checked; bool starts; };
    const Case cases[] = {
        {kMusicNotOpen, true, true}, {kMusicStopped, true, true},
        {kMusicPlaying, true, false}, {529 /* paused */, true, false},
        {kMusicNotOpen, false, false}, {kMusicStopped, false, false},
    };
    for (const Case& c : cases) {
        music.modeValue = c.mode;
        if (window.menuChecked(MenuItem::Music) != c.checked)
            f.MenuSound_Click(0);
        music.commands.clear();
        f.MMControl1_StatusUpdate();
        EXPECT_EQ(music.commands, c.starts ? (Commands{"close", "open", "play"}) : Commands{})
            << "mode " << c.mode << (c.checked ? ", checked" : ", unchecked");
    }
}

} // namespace
