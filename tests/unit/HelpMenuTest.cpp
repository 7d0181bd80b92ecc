// The Help menu: which picture and version the about box gets, and which
// file goes to the text editor.
#include "fakes/GameFixture.h"

#include "render/Pictures.h"

using namespace quibix;
using namespace quibix::testing;

namespace {

const QColor kAboutColour(30, 140, 90);

using HelpMenuTest = GameFixture;

// Letter case, sizes and damage are loadSkinPicture's (SkinTest, DrawingTest).
TEST_F(HelpMenuTest, AboutBoxGetsTheDataFoldersPictureOrAPlainOne)
{
    for (const std::string where : {"data/about.jpg", "about.jpg", "missing"}) {
        SCOPED_TRACE(where);
        folder.remove("data");
        folder.remove("about.jpg");
        folder.writeTestData();
        if (where == "about.jpg") { // no data folder: the program's own
            folder.remove("data/shoot.wav");
            folder.writePicture("data/about.jpg", Qt::red, {420, 380});
        }
        if (where != "missing") folder.writePicture(where, kAboutColour, {420, 380});
        restart().MenuHelp_Click(0);
        EXPECT_EQ(log.events, std::vector<std::string>{"about"});
        EXPECT_EQ(window.aboutVersion, "Quibix version 2.09");
        ASSERT_EQ(window.aboutPicture.size(), QSize(kAboutWidth, kAboutHeight));
        const QColor seen = window.aboutPicture.pixelColor(210, 190);
        if (where == "missing")
            EXPECT_EQ(window.aboutPicture, plainPicture(PlainKind::About, {kAboutWidth, kAboutHeight}));
        else
            EXPECT_LT(std::abs(seen.green() - kAboutColour.green()) + std::abs(seen.red() - kAboutColour.red()), 12);
    }
}

TEST_F(HelpMenuTest, ReadmeOpensTheProgramsCopyOrSaysItIsMissing)
{
    // A read-me only in the data folder is not the one meant.
    folder.writeFile("data/Readme.txt", "not this one");
    Form1& g = load();
    g.MenuHelp_Click(1);
    EXPECT_TRUE(window.openedFiles.empty());
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_NE(window.messages[0].find("Readme.txt is missing"), std::string::npos);

    folder.writeFile("README.TXT", "text");
    window.messages.clear();
    g.MenuHelp_Click(1);
    EXPECT_TRUE(window.messages.empty());
    ASSERT_EQ(window.openedFiles.size(), 1u);
    EXPECT_EQ(window.openedFiles[0], folder.path() / "README.TXT");
}

} // namespace
