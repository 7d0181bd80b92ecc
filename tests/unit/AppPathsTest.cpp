#include "storage/AppPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;
using namespace quibix;

namespace {

class AppPathsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string name = (fs::temp_directory_path() / "quibix-paths-XXXXXX").string();
        ASSERT_NE(mkdtemp(name.data()), nullptr);
        root = name;
        app = root / "app";
        for (const char* f : {"data/shoot.wav", "Space/pareda.jpg", "Space/FONDO1.JPG", "Space/fondo2.jpg",
                              "Space/fondo10.jpg", "Space/Fondo.jpg", "Space/fondo.png", "Space/xfondo3.jpg"}) {
            fs::create_directories((app / f).parent_path());
            std::ofstream(app / f) << "x";
        }
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    fs::path root;
    fs::path app;
};

} // namespace

TEST_F(AppPathsTest, ResolvesEachComponentIgnoringCaseAndKeepsMissingOnes)
{
    EXPECT_EQ(resolvePath(app, "\\DATA\\Shoot.WAV"), app / "data" / "shoot.wav");
    EXPECT_EQ(resolvePath(app, "/space//PAREDA.JPG"), app / "Space" / "pareda.jpg");
    EXPECT_EQ(resolvePath(app, "\\"), app);
    EXPECT_EQ(resolvePath(app, "\\DATA\\Quibix.dat"), app / "data" / "Quibix.dat");
    EXPECT_EQ(resolvePath(app, "\\NoSkin\\Sub\\fondo1.jpg"), app / "NoSkin" / "Sub" / "fondo1.jpg");

    EXPECT_TRUE(fileExists(app, "\\data\\SHOOT.wav"));
    EXPECT_FALSE(fileExists(app, "\\data\\")); // a folder is not a file
    EXPECT_FALSE(fileExists(app, "\\data\\wellcome.wav"));
}

TEST_F(AppPathsTest, PrefersTheExactNameAmongCaseVariants)
{
    std::ofstream(app / "Space" / "FONDO2.jpg") << "x";
    EXPECT_EQ(resolvePath(app, "\\Space\\fondo2.jpg"), app / "Space" / "fondo2.jpg");
    EXPECT_EQ(resolvePath(app, "\\Space\\FONDO2.jpg"), app / "Space" / "FONDO2.jpg");
    EXPECT_EQ(resolvePath(app, "\\Space\\Fondo2.JPG"), app / "Space" / "FONDO2.jpg"); // same pick every time
}

TEST_F(AppPathsTest, StoredPathsNeverLeaveTheApplicationFolder)
{
    std::ofstream(root / "secret.txt") << "x";
    for (const char* stored : {"\\..\\secret.txt", "\\data\\..\\..\\secret.txt", "../secret.txt"}) {
        const auto rel = resolvePath(app, stored).lexically_normal().lexically_relative(app);
        EXPECT_FALSE(rel.empty() || *rel.begin() == "..") << stored;
    }
    EXPECT_FALSE(fileExists(app, "\\..\\secret.txt"));
    EXPECT_TRUE(listFiles(app, "\\..\\", "*.txt").empty());
}

TEST_F(AppPathsTest, ListsMatchingOrdinaryFilesSortedIgnoringCase)
{
    fs::create_directories(app / "Space" / "fondo3.jpg"); // a folder, not a picture
    const std::vector<std::string> expected{"Fondo.jpg", "FONDO1.JPG", "fondo10.jpg", "fondo2.jpg"};
    EXPECT_EQ(listFiles(app, "\\Space\\", "Fondo*.jpg"), expected);
    EXPECT_EQ(listFiles(app, "\\SPACE\\", "fondo*.JPG"), expected);
    EXPECT_EQ(listFiles(app, "\\Space\\", "?ondo?.jpg"), (std::vector<std::string>{"FONDO1.JPG", "fondo2.jpg"}));
    EXPECT_TRUE(listFiles(app, "\\Nowhere\\", "*").empty());

    std::ofstream(app / "data" / "caf\xC3\xA9.mid") << "x"; // '?' is one character, not one byte
    EXPECT_EQ(listFiles(app, "\\data\\", "caf?.mid").size(), 1u);
}

TEST_F(AppPathsTest, ListsFoldersOnlySortedIgnoringCase)
{
    fs::create_directories(app / "beach");
    fs::create_directories(app / ".hidden");
    fs::create_directory_symlink(app / "beach", app / "Linked");
    std::ofstream(app / "Readme.txt") << "x";
    EXPECT_EQ(listFolders(app), (std::vector<std::string>{"beach", "data", "Linked", "Space"}));
    EXPECT_TRUE(listFolders(root / "missing").empty());
}
