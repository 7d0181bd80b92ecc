// Skins: listing, fallbacks for missing or damaged pictures, "Change".
#include "fakes/GameFixture.h"

using namespace quibix;
using namespace quibix::testing;

namespace {

class SkinTest : public GameFixture {
protected:
    // `stored` ("\Space\") chosen in the skin chooser.
    Form1& useSkin(const std::string& stored)
    {
        Form1& f = form ? *form : load();
        window.skinAnswer = stored;
        f.MenuOptions_Click(3);
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
    // The cover on Hard, back on Easy afterwards.
    QRgb hardCover()
    {
        form->MenuLevel_Click(1);
        const QRgb pixel = window.titlePicture.pixel(10, 10);
        form->MenuLevel_Click(0);
        return pixel;
    }
    bool backgroundIs(QColor colour) const { return near(form->surfaces().background().pixel(300, 300), colour); }
};

const QColor kSpaceCover(250, 250, 250);
const QColor kSpaceBackground(10, 200, 10);

// Which names match is AppPathsTest's; here which folder each picture comes from.
TEST_F(SkinTest, MissingOrDamagedSkinPicturesFallBackToTheDataFolder)
{
    folder.writePicture("Space/FONDO1.JPG", kSpaceBackground);
    folder.writePicture("Space/PAREDA.JPG", kSpaceCover);
    useSkin("\\Space\\");
    script({0.2f});
    expectPictures(kSpaceCover, kTestBand, kSpaceBackground);
    EXPECT_TRUE(near(hardCover(), kTestCover));

    folder.writePicture("Bare/pareda.jpg", kSpaceCover); // no backgrounds of its own
    useSkin("\\Bare\\");
    expectPictures(kSpaceCover, kTestBand, kTestBackground);

    folder.writeFile("Broken/fondo1.jpg", std::string(300, '\xff'));
    folder.writeFile("Broken/pareda.jpg", "\xff\xd8\xff\xe0 not really a picture");
    folder.writeFile("Broken/banda.jpg", "");
    useSkin("\\Broken\\");
    expectPictures(kTestCover, kTestBand, kTestBackground);
}

TEST_F(SkinTest, WithNoPicturesAnywhereThePlainOnesAreUsed)
{
    for (const char* file : {"data/fondo1.jpg", "data/pareda.jpg", "data/paredb.jpg", "data/banda.jpg"})
        folder.remove(file);
    Form1& f = load();
    EXPECT_EQ(window.titlePicture, plainPicture(PlainKind::Cover, {442, 460}));
    EXPECT_EQ(f.surfaces().cleanBand(), plainPicture(PlainKind::Band, {98, 460}));

    f.NuevaPantalla(0);
    EXPECT_EQ(f.surfaces().background(), plainPicture(PlainKind::Background, {442, 460}));
    f.MenuBack_Click(0);
    EXPECT_EQ(f.surfaces().background(), plainPicture(PlainKind::Background, {442, 460}));
}

TEST_F(SkinTest, ChangeCyclesThroughTheBackgrounds)
{
    const QColor second(200, 40, 40), third(40, 200, 40);
    folder.writePicture("data/fondo2.jpg", second);
    folder.writePicture("data/fondo3.jpg", third);
    Form1& f = startGame({0.99f}); // N(0.99 x 2) = 2: the third background
    EXPECT_TRUE(backgroundIs(third));
    for (QColor next : {kTestBackground, second, third}) {
        f.MenuBack_Click(0);
        EXPECT_TRUE(backgroundIs(next));
    }
    f.MenuBack_Click(1); // no other item
    EXPECT_TRUE(backgroundIs(third));
    f.MenuBack_Click(0);
    EXPECT_TRUE(backgroundIs(kTestBackground));
    // What is drawn over it is the golden games' to watch, which change it.
    EXPECT_EQ(window.shownPicture1, f.surfaces().field());
}

} // namespace
