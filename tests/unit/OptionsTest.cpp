// The Options menu, "Save Settings" and the settings applied at start-up.
#include "fakes/AsOrdinaryUser.h"
#include "fakes/GameFixture.h"

namespace quibix::testing {
namespace {

using Pictures = std::array<int16_t, 6>;

const std::vector<MenuItem> kCounts{MenuItem::Combinations3, MenuItem::Combinations4,
                                    MenuItem::Combinations5, MenuItem::Combinations6};
const std::vector<MenuItem> kShapes{MenuItem::ShapeSquare, MenuItem::ShapeFace,
                                    MenuItem::ShapeDiamond, MenuItem::ShapeColumns,
                                    MenuItem::ShapeSaw, MenuItem::ShapeRandom};

class OptionsTest : public GameFixture {
protected:
    std::vector<MenuItem> checked(const std::vector<MenuItem>& items) const
    {
        std::vector<MenuItem> on;
        for (MenuItem item : items)
            if (window.menuChecked(item))
                on.push_back(item);
        return on;
    }
    void writeSettings(const std::string& bytes) const { folder.writeFile("data/Quibix.cfg", bytes); }

    static bool sameSprites(const Form1& f, const Pictures& pictures)
    {
        for (int k = 0; k < 6; ++k)
            if (f.surfaces().sprite(k) != f.surfaces().catalogue().pieces[pictures[k]] ||
                f.surfaces().spriteMask(k) != f.surfaces().catalogue().pieceMasks[pictures[k]])
                return false;
        return true;
    }
};

TEST_F(OptionsTest, ANewSkinRedrawsCoverBandAndFieldKeepingFuseAndDynamite)
{
    folder.writePicture("Space/fondo1.jpg", QColor(10, 200, 10));
    folder.writePicture("Space/BANDA.JPG", QColor(20, 200, 220), {98, 460});
    folder.writePicture("Space/paredb.jpg", QColor(250, 250, 250));
    Form1& f = load();
    f.MenuLevel_Click(1);
    rules().setFuse(3);
    const Canvas& canvas = f.surfaces();

    // Cancel, or the skin in use in other letters: nothing reloads.
    const int loads = window.titlePictureLoads;
    f.MenuOptions_Click(3);
    window.skinAnswer = "\\DATA\\";
    f.MenuOptions_Click(3);
    EXPECT_EQ(window.titlePictureLoads, loads);

    window.skinAnswer = "\\Space\\";
    f.MenuOptions_Click(3);
    EXPECT_EQ(window.shownPicture1, canvas.field());
    EXPECT_LT(std::abs(qGreen(canvas.field().pixel(5, 5)) - 200), 8);
    // On Hard the title keeps the Hard cover of the new skin.
    EXPECT_LT(std::abs(qRed(window.titlePicture.pixel(5, 5)) - 250), 8);

    // The band is the new one, with the fuse frame and the dynamite on it.
    EXPECT_EQ(window.shownBand, canvas.band());
    EXPECT_LT(std::abs(qBlue(canvas.cleanBand().pixel(5, 5)) - 220), 8);
    Canvas redrawn = canvas;
    redrawn.setBand(canvas.cleanBand().copy());
    redrawn.drawFuse(3);
    redrawn.drawDynamite(false);
    EXPECT_EQ(canvas.band(), redrawn.band());
}

TEST_F(OptionsTest, ChosenOptionsMoveTheirCheckMarksAndComeBackAtTheNextStart)
{
    folder.writePicture("Space/fondo1.jpg", QColor(10, 200, 10));
    Form1& f = startGame(kAllKinds);
    // No pieces are chosen while a game runs.
    window.piecesAnswer = Pictures{0, 3, 5, 7, 9, 11};
    f.MenuOptions_Click(2);
    EXPECT_EQ(log.count("choose pieces"), 0);
    f.MenuFile_Click(1);
    // Items outside the menus (-1 and one past the last) change nothing.
    for (int index : {-1, 4})
        f.MenuCombinations_Click(index);
    for (int index : {-1, 6})
        f.MenuShape_Click(index);
    EXPECT_EQ(checked(kCounts), std::vector<MenuItem>{MenuItem::Combinations3});
    EXPECT_EQ(checked(kShapes), std::vector<MenuItem>{MenuItem::ShapeSquare});
    EXPECT_EQ(f.engine().combinaciones(), 3);
    f.MenuCombinations_Click(3);
    f.MenuShape_Click(5);
    EXPECT_EQ(checked(kCounts), std::vector<MenuItem>{MenuItem::Combinations6});
    EXPECT_EQ(checked(kShapes), std::vector<MenuItem>{MenuItem::ShapeRandom});
    f.MenuOptions_Click(2);
    EXPECT_TRUE(sameSprites(f, Pictures{0, 3, 5, 7, 9, 11}));
    // The chooser is shown the very pictures the field draws.
    EXPECT_EQ(window.chooserPictures, f.surfaces().catalogue().pieces);
    window.skinAnswer = "\\Space\\";
    f.MenuOptions_Click(3);
    f.MenuOptions_Click(4);
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(folder.readFile("data/Quibix.cfg"), std::string("\6\0\5\0\xFF\xFF\3\0\5\0\7\0\11\0\13\0\0\0\7\0\\Space\\", 27));

    Form1& g = restart();
    EXPECT_EQ(checked(kCounts), std::vector<MenuItem>{MenuItem::Combinations6});
    EXPECT_EQ(checked(kShapes), std::vector<MenuItem>{MenuItem::ShapeRandom});
    EXPECT_EQ(g.engine().combinaciones(), 6);
    EXPECT_EQ(g.engine().formaActual(), 5);
    EXPECT_TRUE(sameSprites(g, Pictures{0, 3, 5, 7, 9, 11}));
    EXPECT_EQ(skinInUse(), "\\Space\\");
    g.NuevaPantalla(0); // the skin's own background
    EXPECT_LT(std::abs(qGreen(g.surfaces().background().pixel(5, 5)) - 200), 8);
}

// Each item clicked after another one, so a mark that is never cleared, a
// rule left as it was or one off by one (the engine clamps the group size to
// 3..6, which hides 7 for the last item) shows.
TEST_F(OptionsTest, EveryItemChecksItselfAloneAndSetsItsOwnRule)
{
    Form1& f = load();
    for (int index : {3, 0, 2, 1}) {
        f.MenuCombinations_Click(index);
        EXPECT_EQ(checked(kCounts), std::vector<MenuItem>{kCounts[index]});
        EXPECT_EQ(f.engine().combinaciones(), index + 3);
    }
    for (int index : {5, 0, 4, 1, 3, 2}) { // Square after another shape
        f.MenuShape_Click(index);
        EXPECT_EQ(checked(kShapes), std::vector<MenuItem>{kShapes[index]});
        EXPECT_EQ(f.engine().forma(), index);
    }
}

TEST_F(OptionsTest, HostileSettingsQuietlyLeaveTheDefaults)
{
    // The limits are SettingsFileTest's and SkinCatalogueTest's; here the window shows the defaults.
    folder.writePicture("Space/fondo1.jpg", QColor(10, 200, 10));
    writeSettings(std::string("\7\0\6\0\1\0\3\0\2\0\4\0\5\0\6\0\0\0\4\0\\..\\", 22));
    Form1& f = restart();
    EXPECT_EQ(f.engine().combinaciones(), 3);
    EXPECT_EQ(checked(kCounts), std::vector<MenuItem>{MenuItem::Combinations3});
    EXPECT_EQ(checked(kShapes), std::vector<MenuItem>{MenuItem::ShapeSquare});
    EXPECT_TRUE(sameSprites(f, Pictures{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(skinInUse(), "\\data\\");
    EXPECT_TRUE(window.messages.empty());
    // A skin in other letters is found.
    writeSettings(std::string(18, '\0') + std::string("\7\0\\SPACE\\", 9));
    restart();
    EXPECT_EQ(skinInUse(), "\\SPACE\\");
}

TEST_F(OptionsTest, ASkinNameTheFileCannotHoldIsSaidAndEverythingElseIsSaved)
{
    if (!runHereAsOrdinaryUser())
        return;
    const std::string japanese = "\xE6\x97\xA5\xE6\x9C\xAC"; // two kanji, in UTF-8
    folder.writePicture(japanese + "/fondo1.jpg", QColor(10, 200, 10));
    Form1& f = load();
    window.skinAnswer = "\\" + japanese + "\\";
    f.MenuOptions_Click(3);
    f.MenuCombinations_Click(2);
    f.MenuOptions_Click(4);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_NE(window.messages[0].find("\"" + japanese + "\": the settings file cannot hold its name"),
              std::string::npos)
        << window.messages[0];
    // Groups of 5 and the pictures kept; no skin rather than "\??\".
    EXPECT_EQ(folder.readFile("data/Quibix.cfg"),
              std::string("\5\0\0\0\xFF\xFF\1\0\2\0\3\0\4\0\5\0\0\0\0\0", 20));

    // A skin of Western European letters is saved without a word.
    const std::string french = "Caf\xC3\xA9"; // "Café"
    folder.writePicture(french + "/fondo1.jpg", QColor(10, 200, 10));
    window.skinAnswer = "\\" + french + "\\";
    f.MenuOptions_Click(3);
    f.MenuOptions_Click(4);
    EXPECT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(folder.readFile("data/Quibix.cfg").substr(18), std::string("\6\0\\Caf\xE9\\", 8));
}

TEST_F(OptionsTest, DefaultGivesBackTheStartingLookAndASavedBackslashStillLoadsIt)
{
    if (!runHereAsOrdinaryUser())
        return;
    // JPEG keeps a flat colour within a few steps.
    const auto near = [](const QImage& picture, QColor colour) {
        const QRgb p = picture.pixel(5, 5);
        return std::abs(qRed(p) - colour.red()) < 8 && std::abs(qGreen(p) - colour.green()) < 8 &&
               std::abs(qBlue(p) - colour.blue()) < 8;
    };
    folder.writePicture("Space/fondo1.jpg", QColor(10, 200, 10));
    folder.writePicture("Space/pareda.jpg", QColor(250, 250, 250));
    folder.writePicture("Space/banda.jpg", QColor(20, 200, 220), {98, 460});
    Form1& f = load();
    window.skinAnswer = "\\Space\\";
    f.MenuOptions_Click(3);
    ASSERT_TRUE(near(window.titlePicture, QColor(250, 250, 250)));

    // "-Default-": the application folder holds no pictures, so the data
    // folder's are shown, as at the start.
    window.skinAnswer = "\\";
    f.MenuOptions_Click(3);
    EXPECT_TRUE(near(window.titlePicture, kTestCover));
    EXPECT_TRUE(near(window.shownBand, kTestBand));
    EXPECT_TRUE(near(window.shownPicture1, kTestBackground));
    f.MenuOptions_Click(4);
    EXPECT_EQ(folder.readFile("data/Quibix.cfg").substr(18), std::string("\1\0\\", 3));
    restart();
    EXPECT_TRUE(near(window.titlePicture, kTestCover));
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(OptionsTest, ASaveThatFailsSaysWhyAndTheGameGoesOn)
{
    Form1& f = startGame(kAllKinds);
    folder.remove("data/Quibix.cfg");
    std::filesystem::create_directory(folder.path() / "data" / "Quibix.cfg");
    f.MenuOptions_Click(4);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].rfind("Your settings could not be saved: cannot write ", 0), 0u)
        << window.messages[0];
    EXPECT_TRUE(f.running());
}

} // namespace
} // namespace quibix::testing
