// Skins: listing, fallbacks for missing or damaged pictures, "Change".
#include "fakes/Form1TestAccess.h"
#include "fakes/GameFixture.h"

using namespace quibix;
using namespace quibix::testing;

namespace {

class SkinTest : public GameFixture {
protected:
    // As the skin chooser does: `stored` is "\Space\".
    Form1& useSkin(const std::string& stored)
    {
        Form1& f = form ? *form : load();
        Form1TestAccess::chooseSkin(f, stored);
        f.CargaSkin();
        return f;
    }
    // JPEG keeps a flat colour within a few steps.
    static bool near(QRgb pixel, QColor colour)
    {
        return std::abs(qRed(pixel) - colour.red()) < 8 && std::abs(qGreen(pixel) - colour.green()) < 8 &&
               std::abs(qBlue(pixel) - colour.blue()) < 8;
    }
    // The cover shown, the band and the background of a new screen.
    void expectPictures(QColor cover, QColor band, QColor background)
    {
        EXPECT_EQ(window.titlePicture.size(), QSize(442, 460));
        EXPECT_TRUE(near(window.titlePicture.pixel(10, 10), cover));
        EXPECT_TRUE(near(form->surfaces().band().pixel(10, 10), band));
        form->NuevaPantalla(0);
        EXPECT_TRUE(near(form->surfaces().background().pixel(300, 300), background));
    }
};

const QColor kSpaceCover(250, 250, 250);
const QColor kSpaceBackground(10, 200, 10);

// Which names match is AppPathsTest's; here which folder each picture comes from.
TEST_F(SkinTest, MissingOrDamagedSkinPicturesFallBackToTheDataFolder)
{
    folder.writePicture("Space/FONDO1.JPG", kSpaceBackground);
    folder.writePicture("Space/PAREDA.JPG", kSpaceCover);
    Form1& f = useSkin("\\Space\\");
    EXPECT_EQ(f.fondos(), (std::vector<std::string>{"", "FONDO1.JPG"}));
    EXPECT_EQ(f.paredA(), "\\Space\\pareda.jpg");
    EXPECT_EQ(f.paredB(), "\\data\\paredb.jpg");
    EXPECT_EQ(f.banda(), "\\data\\banda.jpg");
    script({0.2f});
    expectPictures(kSpaceCover, kTestBand, kSpaceBackground);
    EXPECT_EQ(f.fondo(), "\\Space\\FONDO1.JPG");

    folder.writePicture("Bare/pareda.jpg", kSpaceCover); // no backgrounds of its own
    useSkin("\\Bare\\");
    EXPECT_EQ(f.numFondos(), 1);
    EXPECT_EQ(f.fondosPath(), "\\data\\");
    expectPictures(kSpaceCover, kTestBand, kTestBackground);
    EXPECT_EQ(f.fondo(), "\\data\\fondo1.jpg");

    folder.writeFile("Broken/fondo1.jpg", std::string(300, '\xff'));
    folder.writeFile("Broken/pareda.jpg", "\xff\xd8\xff\xe0 not really a picture");
    folder.writeFile("Broken/banda.jpg", "");
    useSkin("\\Broken\\");
    EXPECT_EQ(f.paredA(), "\\data\\pareda.jpg");
    EXPECT_EQ(f.banda(), "\\data\\banda.jpg");
    expectPictures(kTestCover, kTestBand, kTestBackground);
    EXPECT_EQ(f.fondo(), "\\Broken\\fondo1.jpg");
}

TEST_F(SkinTest, WithNoPicturesAnywhereThePlainOnesAreUsed)
{
    for (const char* file : {"data/fondo1.jpg", "data/pareda.jpg", "data/paredb.jpg", "data/banda.jpg"})
        folder.remove(file);
    Form1& f = load();
    EXPECT_EQ(f.numFondos(), 0);
    EXPECT_EQ(window.titlePicture, plainPicture(PlainKind::Cover, {442, 460}));
    EXPECT_EQ(f.surfaces().cleanBand(), plainPicture(PlainKind::Band, {98, 460}));

    f.NuevaPantalla(0);
    EXPECT_EQ(f.fondoIndex(), 0);
    EXPECT_EQ(f.surfaces().background(), plainPicture(PlainKind::Background, {442, 460}));
    f.MenuBack_Click(0);
    EXPECT_EQ(f.fondoIndex(), 0);
    EXPECT_EQ(f.surfaces().background().size(), QSize(442, 460));
}

TEST_F(SkinTest, ChangeCyclesThroughTheBackgrounds)
{
    folder.writePicture("data/fondo2.jpg", QColor(200, 40, 40));
    folder.writePicture("data/fondo3.jpg", QColor(40, 200, 40));
    Form1& f = startGame({0.99f}); // N(0.99 x 2) = 2: the third background
    for (int index : {1, 2, 3}) {
        f.MenuBack_Click(0);
        EXPECT_EQ(f.fondoIndex(), index);
    }
    f.MenuBack_Click(1); // no other item
    EXPECT_EQ(f.fondoIndex(), 3);
    f.MenuBack_Click(0);
    EXPECT_EQ(f.fondo(), "\\data\\fondo1.jpg");
    EXPECT_TRUE(near(f.surfaces().background().pixel(300, 300), kTestBackground));
    // What is drawn over it is the golden games' to watch, which change it.
    EXPECT_EQ(window.shownPicture1, f.surfaces().field());
}

} // namespace
