// Setting up a screen: bricks and loss row per screen and level, the
// starting shapes, the deal, the cursor and the music.
#include "fakes/GameFixture.h"

#include <set>

using namespace quibix;
using namespace quibix::testing;

namespace {

constexpr int kLayoutCells = 17 * 9;

class ScreenSetupTest : public GameFixture {
protected:
    // Cells of rows 0..8 holding `code` (or, with -1, any piece 1..6).
    int count(int code) const
    {
        int n = 0;
        for (int r = 0; r < 9; ++r)
            for (int c = 0; c < 17; ++c) {
                const int t = form->tablero(c, r).Tipo;
                n += (code < 0) ? (t >= 1 && t <= 6) : (t == code);
            }
        return n;
    }
    std::set<std::pair<int, int>> masked() const
    {
        std::set<std::pair<int, int>> cells;
        for (int r = 0; r < 9; ++r)
            for (int c = 0; c < 17; ++c)
                if (form->Mascara(c, r).Tipo != 0) cells.insert({c, r});
        return cells;
    }
};

TEST_F(ScreenSetupTest, BricksAndLossRowFollowTheScreenAndLevel)
{
    struct Case { int16_t screen; int16_t level; int16_t bricks, limit, levelAfter; };
    const Case cases[] = {
        {0, 0, 0, 14, 0}, {0, 1, 0, 14, 1}, {1, 0, 1, 13, 0}, {3, 1, 3, 11, 1},
        {4, 0, 4, 10, 0}, {5, 1, 4, 11, 1}, {5, 0, 0, 14, 1}, {7, 1, 4, 11, 1},
    };
    Form1& f = load();
    // The score labels keep the last game's values until the first shot.
    window.setCaption(Caption::Score, 0, "1234");
    for (const Case& c : cases) {
        f.intLevel = c.level;
        f.intRecordLevel = c.level;
        f.lngScore = 500;
        f.intPantalla = c.screen;
        f.NuevaPantalla(c.screen);
        EXPECT_EQ(f.intLadrillos, c.bricks) << c.screen << "/" << c.level;
        EXPECT_EQ(f.intFilaLimite, c.limit) << c.screen << "/" << c.level;
        EXPECT_EQ(f.intLevel, c.levelAfter) << c.screen << "/" << c.level;
        EXPECT_EQ(f.lngScore, c.screen == 0 ? 0 : 500);
        // Board row 0 hangs under the bricks, drawn on the field.
        EXPECT_EQ(f.tablero(0, 0).Y, 25 * c.bricks);
        if (c.bricks > 0) {
            EXPECT_EQ(f.canvas.Picture1.pixel(7, 25 * c.bricks - 3), f.canvas.ladrillo.pixel(7, 22));
        }
        EXPECT_EQ(window.shownPicture1, f.canvas.Picture1);
        EXPECT_EQ(window.shownBand, f.canvas.PicBanda);
        EXPECT_EQ(f.intGrados, 90);
        EXPECT_EQ(f.intMecha, 0);
        EXPECT_EQ(f.intUsadas, 0);
    }
    EXPECT_EQ(window.caption(Caption::Score), "1234");
    EXPECT_FALSE(window.titleVisible);
    EXPECT_TRUE(f.gameRunning);
    EXPECT_FALSE(window.menuEnabled(MenuItem::LevelMenu));
    EXPECT_FALSE(window.menuEnabled(MenuItem::ChoosePieces));
}

TEST_F(ScreenSetupTest, EasyBecomesHardAtScreenFiveOnlyForThatGame)
{
    Form1& f = load();
    f.intFormaActual = 1; // "Face": masked cells show the level
    f.NuevaPantalla(0);
    EXPECT_EQ(count(kStone), 0);

    f.intPantalla = 5;
    f.NuevaPantalla(5);
    EXPECT_EQ(f.intLevel, 1);
    EXPECT_EQ(count(kStone), 19);
    // Neither the Level menu nor the table the score goes to change.
    EXPECT_TRUE(window.menuChecked(MenuItem::Easy));
    EXPECT_FALSE(window.menuChecked(MenuItem::Hard));
    EXPECT_EQ(f.intRecordLevel, 0);

    // A new game starts again at the level chosen in the menu.
    f.NuevaPantalla(0);
    EXPECT_EQ(f.intLevel, 0);
    EXPECT_EQ(count(kStone), 0);
}

TEST_F(ScreenSetupTest, EachShapeMasksItsCells)
{
    struct Shape { int16_t index; int masked; std::vector<std::pair<int, int>> some; };
    const Shape shapes[] = {
        {0, 0, {}},
        {1, 19, {{2, 1}, {13, 1}, {4, 2}, {14, 2}, {8, 3}, {8, 4}, {6, 6}, {10, 6}}},
        {2, 30, {{0, 1}, {16, 1}, {14, 7}, {8, 3}, {9, 4}, {8, 5}, {0, 5}}},
        {3, 24, {{2, 1}, {14, 7}, {3, 8}, {15, 8}}},
        {4, 24, {{1, 1}, {13, 1}, {14, 2}, {1, 7}, {2, 8}, {14, 8}}},
    };
    Form1& f = load();
    for (const Shape& s : shapes) {
        f.DefineForma(s.index);
        const auto cells = masked();
        EXPECT_EQ(static_cast<int>(cells.size()), s.masked) << s.index;
        for (const auto& cell : s.some)
            EXPECT_TRUE(cells.count(cell)) << s.index << ": " << cell.first << "," << cell.second;
        for (int c = 0; c < 17; ++c)
            EXPECT_FALSE(cells.count({c, 0})) << "row 0 hangs whole, shape " << s.index;
    }
    // The face's cells are not mirror copies by column on odd rows.
    f.DefineForma(1);
    EXPECT_FALSE(masked().count({14, 1}));
    // A previous shape leaves nothing behind.
    f.DefineForma(0);
    EXPECT_TRUE(masked().empty());
}

TEST_F(ScreenSetupTest, StonesFollowTheShapeAndTheLevel)
{
    // The face: its cells empty on Easy, stones on Hard; nothing below.
    Form1& f = load();
    f.intFormaActual = 1;
    for (int16_t level : {0, 1}) {
        f.intRecordLevel = level;
        script({0.3f, 0.95f, 0.6f});
        f.NuevaPantalla(0);
        EXPECT_EQ(count(level ? kStone : kEmpty), 19) << level;
        EXPECT_EQ(count(-1), kLayoutCells - 19) << level;
        EXPECT_EQ(f.tablero(8, 4).Tipo, level ? kStone : kEmpty);
        for (int c = 0; c < 17; ++c)
            EXPECT_EQ(f.tablero(c, 9).Tipo, kEmpty);
    }
    EXPECT_EQ(QPoint(f.tablero(8, 4).X, f.tablero(8, 4).Y), QPoint(200, 100));

    // The square on Hard: 0.99 gives kind 5 with N(5r) and a stone with
    // N(6r), so every third cell is a stone below row 0 and kind 6 in it.
    f.intFormaActual = 0;
    script({0.05f, 0.05f, 0.99f});
    f.NuevaPantalla(0);
    EXPECT_GT(count(kStone), 40);
    EXPECT_EQ(count(kStone) + count(6), kLayoutCells / 3);
    for (int c = 0; c < 17; ++c)
        EXPECT_NE(f.tablero(c, 0).Tipo, kStone) << c;
    EXPECT_EQ(count(kEmpty), 0);

    // Not through "Random" drawing the square: the second number (0.05)
    // picks shape 0, and the same numbers make kind 6 instead.
    f.intFormaActual = 5;
    script({0.05f, 0.05f, 0.99f});
    f.NuevaPantalla(0);
    EXPECT_EQ(count(kStone), 0);
    EXPECT_EQ(count(6), kLayoutCells / 3);
    EXPECT_TRUE(masked().empty());

    // The shape is drawn again at the next screen: N(4 x 0.99) = 4, "Saw".
    script({0.5f, 0.99f});
    f.NuevaPantalla(1);
    EXPECT_EQ(masked().size(), 24u);
    EXPECT_EQ(f.intFormaActual, 5);
}

TEST_F(ScreenSetupTest, RandomNumbersAreDrawnInTheStepsOrder)
{
    // Background, one per cell (masked or not), the loaded and the next piece.
    std::vector<float> values(1 + kLayoutCells + 2, 0.5f);
    values[1] = 0.1f;           // first cell: N(0.5) = 0, halves go to even
    values[1 + 17] = 0.99f;     // row 1, column 0: kind 5
    values[1 + kLayoutCells] = 0.2f;
    values[2 + kLayoutCells] = 0.6f;
    Form1& f = load();
    f.intFormaActual = 1;
    script(values);
    f.NuevaPantalla(0);
    EXPECT_EQ(random.drawn(), values.size());
    EXPECT_EQ(random.reseeds(), 1); // once for this screen
    EXPECT_EQ(f.tablero(0, 0).Tipo, 1);
    EXPECT_EQ(f.tablero(0, 1).Tipo, 6);
    EXPECT_EQ(f.tablero(1, 0).Tipo, 3); // N(2.5) = 2
    EXPECT_EQ(f.intFicha, 1);
    EXPECT_EQ(f.intSiguiente, 3);
}

TEST_F(ScreenSetupTest, TheCursorEndsHiddenAtMinusOneWhateverItWas)
{
    Form1& f = load();
    for (int before : {3, 0, -1, -6}) {
        window.cursorCounter = before;
        f.blnCursor = kTrue;
        f.NuevaPantalla(0);
        EXPECT_EQ(window.cursorCounter, -1) << before;
        EXPECT_EQ(f.lngRet, -1);
        EXPECT_EQ(f.blnCursor, kFalse);
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

TEST_F(ScreenSetupTest, MusicStartsAPieceOnlyWhenCheckedAndListed)
{
    Form1& f = load();
    f.NuevaPantalla(0); // no music files
    EXPECT_EQ(music.commands, std::vector<std::string>{"open"});
    EXPECT_FALSE(music.notify);
    EXPECT_FALSE(music.wait);

    folder.writeFile("data/b.mid");
    f.Musicas = {"", "a.mid", "B.MID", "c.mid"};
    f.intNumMusicas = 3;
    // The number after the layout and the deal picks N(0.5 x 2) = 1: the second.
    music.commands.clear();
    script({0.5f});
    f.NuevaPantalla(1);
    EXPECT_EQ(music.commands, (std::vector<std::string>{"open", "open", "play"}));
    EXPECT_EQ(music.fileName, folder.path() / "data" / "b.mid");

    f.MenuSound_Click(0); // "Music" off
    music.commands.clear();
    f.NuevaPantalla(2);
    EXPECT_EQ(music.commands, std::vector<std::string>{"open"});
}

} // namespace
