// The Help menu: which picture and version the about box gets, and which
// file goes to the text editor.
#include "fakes/GameFixture.h"

#include "render/Pictures.h"

using namespace quibix;
using namespace quibix::testing;

namespace {

const QColor kAboutColour(30, 140, 90);

class HelpMenuTest : public GameFixture {};

TEST_F(HelpMenuTest, AboutBoxGetsTheDataFoldersPictureOrAPlainOne)
{
    const QImage plain = plainPicture(PlainKind::About, {kAboutWidth, kAboutHeight});
    struct Case {
        const char* name;
        std::function<void(const TempAppFolder&)> prepare;
        bool expectPicture; // else the plain backdrop
    };
    // Letter case, sizes and damage are loadSkinPicture's (SkinTest, DrawingTest).
    const std::vector<Case> cases{
        {"in the data folder", [](auto& f) { f.writePicture("data/about.jpg", kAboutColour, {420, 380}); }, true},
        {"no data folder: the program's own",
         [](auto& f) {
             f.remove("data/shoot.wav");
             f.writePicture("data/about.jpg", Qt::red, {420, 380});
             f.writePicture("about.jpg", kAboutColour, {420, 380});
         },
         true},
        {"missing", [](auto&) {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        folder.remove("data");
        folder.remove("about.jpg");
        folder.writeTestData();
        c.prepare(folder);
        restart().MenuHelp_Click(0);
        EXPECT_EQ(log.events, std::vector<std::string>{"about"});
        EXPECT_EQ(window.aboutVersion, "Quibix version 2.09");
        ASSERT_EQ(window.aboutPicture.size(), QSize(kAboutWidth, kAboutHeight));
        if (c.expectPicture) {
            const QColor seen = window.aboutPicture.pixelColor(210, 190);
            EXPECT_LT(std::abs(seen.green() - kAboutColour.green()) + std::abs(seen.red() - kAboutColour.red()), 12);
        } else {
            EXPECT_EQ(window.aboutPicture, plain);
        }
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
