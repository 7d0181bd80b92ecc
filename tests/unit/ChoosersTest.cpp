// The rules of the two choosers, without widgets: the twelve piece boxes,
// and the skins and files the skin chooser lists.
#include "fakes/GameFixture.h"
#include "game/PieceChoice.h"
#include "storage/SkinCatalogue.h"

namespace quibix::testing {
namespace {

using Pictures = std::array<int16_t, 6>;

std::vector<int> tickedBoxes(const PieceChoice& c)
{
    std::vector<int> boxes;
    for (int i = 0; i < kPieceBoxes; ++i)
        if (c.ticked(i))
            boxes.push_back(i);
    return boxes;
}

TEST(PieceChoiceTest, OpeningTicksTheListedPicturesWhenAscending)
{
    EXPECT_EQ(tickedBoxes(PieceChoice({0, 3, 5, 7, 9, 11})), (std::vector<int>{0, 3, 5, 7, 9, 11}));
    // Walked in step with the boxes, a list out of order ticks fewer.
    EXPECT_EQ(tickedBoxes(PieceChoice({3, 1, 2, 4, 5, 6})), (std::vector<int>{3}));
}

TEST(PieceChoiceTest, ASeventhTickIsRefusedAndClosingNeedsSix)
{
    PieceChoice c({0, 1, 2, 3, 4, 5});
    EXPECT_FALSE(c.setTicked(8, true));
    EXPECT_FALSE(c.ticked(8));
    EXPECT_EQ(c.tickedCount(), 6);
    EXPECT_TRUE(c.setTicked(3, true)); // ticking a ticked box again is no seventh
    EXPECT_EQ(c.tickedCount(), 6);

    EXPECT_TRUE(c.setTicked(0, false));
    EXPECT_EQ(c.chosen(), std::nullopt);
    EXPECT_TRUE(c.setTicked(11, true));
    EXPECT_EQ(c.chosen(), (Pictures{1, 2, 3, 4, 5, 11}));

    // Ticked in any order, the chosen pictures come in box order.
    for (int box : {5, 4, 3, 2, 1})
        c.setTicked(box, false);
    for (int box : {9, 7, 6, 4, 1})
        EXPECT_TRUE(c.setTicked(box, true));
    EXPECT_EQ(c.chosen(), (Pictures{1, 4, 6, 7, 9, 11}));
}

// Box 11 is the last. The choice is followed by one byte of its own, so a
// box 12 read or written past the twelve shows in any build, not only under
// the sanitizers.
TEST(PieceChoiceTest, BoxesBelowZeroOrFromTwelveOnAreNoBoxes)
{
    struct Fenced {
        PieceChoice choice{{1, 2, 3, 4, 5, 12}}; // a list naming picture 12 ticks the other five
        bool past = false;
    } f;
    for (int box : {12, -1}) {
        EXPECT_TRUE(f.choice.setTicked(box, true)) << box; // nothing to refuse either
        EXPECT_FALSE(f.choice.ticked(box)) << box;
    }
    EXPECT_FALSE(f.past);
    EXPECT_EQ(f.choice.tickedCount(), 5);
    f.past = true;
    EXPECT_FALSE(f.choice.ticked(12));
    EXPECT_EQ(f.choice.chosen(), std::nullopt);
    EXPECT_TRUE(f.choice.setTicked(11, true));
    EXPECT_EQ(f.choice.chosen(), (Pictures{1, 2, 3, 4, 5, 11}));
}

struct SkinCatalogueTest : ::testing::Test {
    TempAppFolder folder;
    std::filesystem::path app = folder.path();
};

TEST_F(SkinCatalogueTest, SkinsAndTheirFilesAreListedWithTheirDisplayNames)
{
    for (const char* file : {"data/shoot.wav", "Space/FONDO2.JPG", "Space/fondo1.jpg", "Space/PAREDA.JPG",
                             "Space/Banda.jpg", "Space/fondo.png", "Covers/paredb.jpg", "fondo9.jpg", "Readme.txt"})
        folder.writeFile(file);

    const auto items = skinItems(app);
    EXPECT_EQ(items, (std::vector<std::string>{"-Default-", "Covers", "data", "Space"}));
    EXPECT_EQ(skinItemIndex(items, "\\sPACE\\"), 3);
    EXPECT_EQ(skinItemIndex(items, "\\covers\\"), 1);
    EXPECT_EQ(skinItemIndex(items, "\\Gone\\"), 0);
    EXPECT_EQ(skinFolderOf("-Default-"), "\\");
    EXPECT_EQ(skinFolderOf("Space"), "\\Space\\");

    const auto space = skinFileItems(app, "\\Space\\");
    EXPECT_EQ(space, (std::vector<std::string>{"fondo1.jpg", "FONDO2.JPG", "ParedA.jpg", "Banda.jpg"}));
    EXPECT_TRUE(skinAcceptable(space));
    EXPECT_EQ(skinFilePath(app, "\\Space\\", "ParedA.jpg"), app / "Space" / "PAREDA.JPG");
    EXPECT_TRUE(isBandItem("Banda.jpg"));
    EXPECT_FALSE(isBandItem("fondo1.jpg"));

    // A cover alone, or nothing at all, is no skin to play on.
    EXPECT_EQ(skinFileItems(app, "\\Covers\\"), (std::vector<std::string>{"ParedB.jpg"}));
    EXPECT_FALSE(skinAcceptable(skinFileItems(app, "\\Covers\\")));
    EXPECT_FALSE(skinAcceptable(skinFileItems(app, "\\data\\")));
    EXPECT_EQ(skinFileItems(app, "\\"), (std::vector<std::string>{"fondo9.jpg"}));
}

TEST_F(SkinCatalogueTest, AStoredSkinMustNameAFolderDirectlyInsideTheApplicationFolder)
{
    for (const char* file :
         {"Space/fondo1.jpg", "X/fondo1.jpg", "Space/Inner/fondo1.jpg", ".hidden/fondo1.jpg", "Readme.txt"})
        folder.writeFile(file);
    for (const std::string good : {"\\", "\\Space\\", "\\SPACE\\", "\\X\\"})
        EXPECT_EQ(storedSkinFolder(app, good), good);
    for (const std::string& bad :
         std::vector<std::string>{"", "\\\\", "\\Spacex", "\\..\\", "\\.\\", "\\.hidden\\", "\\Space\\Inner\\",
                                  "\\Space/Inner\\", "\\Readme.txt\\", "\\Gone\\", "Space", "\\Space", "xSpace\\", "/tmp/", "\\C:\\Space\\",
                                  app.string() + "/Space/", std::string("\\Sp\0ace\\", 8)})
        EXPECT_EQ(storedSkinFolder(app, bad), std::nullopt) << bad;
}

} // namespace
} // namespace quibix::testing
