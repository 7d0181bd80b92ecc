#include "fakes/GameFixture.h"
#include "storage/AppPaths.h"

namespace fs = std::filesystem;
using namespace quibix;

namespace {

class AppPathsTest : public ::testing::Test {
protected:
    AppPathsTest()
    {
        for (const char* f : {"data/shoot.wav", "Space/pareda.jpg", "Space/FONDO1.JPG", "Space/fondo2.jpg",
                              "Space/fondo10.jpg", "Space/Fondo.jpg", "Space/fondo.png", "Space/xfondo3.jpg"})
            folder.writeFile(std::string("app/") + f);
    }

    quibix::testing::TempAppFolder folder;
    fs::path root = folder.path();
    fs::path app = root / "app";
};

TEST_F(AppPathsTest, ResolvesEachComponentIgnoringCaseAndKeepsMissingOnes)
{
    EXPECT_EQ(resolvePath(app, "\\DATA\\Shoot.WAV"), app / "data" / "shoot.wav");
    EXPECT_EQ(resolvePath(app, "/space//PAREDA.JPG"), app / "Space" / "pareda.jpg");
    folder.writeFile("app/data/zap.wav"); // both ends of the alphabet
    EXPECT_EQ(resolvePath(app, "\\DATA\\ZAP.wav"), app / "data" / "zap.wav");
    EXPECT_EQ(resolvePath(app, "\\"), app);
    EXPECT_EQ(resolvePath(app, "\\DATA\\Quibix.dat"), app / "data" / "Quibix.dat");

    EXPECT_TRUE(fileExists(app, "\\data\\SHOOT.wav"));
    EXPECT_FALSE(fileExists(app, "\\data\\")); // a folder is not a file
    EXPECT_FALSE(fileExists(app, "\\data\\wellcome.wav"));

    // Among case variants the exact name wins, and the same one every time.
    folder.writeFile("app/Space/FONDO2.jpg");
    EXPECT_EQ(resolvePath(app, "\\Space\\fondo2.jpg"), app / "Space" / "fondo2.jpg");
    EXPECT_EQ(resolvePath(app, "\\Space\\Fondo2.JPG"), app / "Space" / "FONDO2.jpg");
}

TEST_F(AppPathsTest, StoredPathsNeverLeaveTheApplicationFolder)
{
    folder.writeFile("secret.txt");
    for (const char* stored : {"\\..\\secret.txt", "\\data\\..\\..\\secret.txt", "../secret.txt"}) {
        const auto rel = resolvePath(app, stored).lexically_normal().lexically_relative(app);
        EXPECT_FALSE(rel.empty() || *rel.begin() == "..") << stored;
    }
    EXPECT_FALSE(fileExists(app, "\\..\\secret.txt"));
    // A NUL would cut the name short, so that another file opened.
    EXPECT_EQ(resolvePath(app, std::string("\\data\\shoot.wav\0x", 17)), app / "data" / "shoot.wav?x");
    EXPECT_TRUE(listFiles(app, "\\..\\", "*.txt").empty());
}

TEST_F(AppPathsTest, ListsMatchingFilesOrFoldersSortedIgnoringCase)
{
    fs::create_directories(app / "Space" / "fondo3.jpg"); // a folder, not a picture
    const std::vector<std::string> expected{"Fondo.jpg", "FONDO1.JPG", "fondo10.jpg", "fondo2.jpg"};
    EXPECT_EQ(listFiles(app, "\\Space\\", "Fondo*.jpg"), expected);
    EXPECT_EQ(listFiles(app, "\\SPACE\\", "fondo*.JPG"), expected);
    EXPECT_EQ(listFiles(app, "\\Space\\", "?ondo?.jpg"),
              (std::vector<std::string>{"FONDO1.JPG", "fondo2.jpg"}));
    EXPECT_TRUE(listFiles(app, "\\Nowhere\\", "*").empty());
    EXPECT_TRUE(listFiles(app, "\\Space\\", "fondo2.jpg?").empty()); // '?' needs a character
    // '?' is one character, not one byte; a stray lead byte is one by itself.
    for (const char* name : {"caf\xC3\xA9.mid", "caf\xE2\x82\xAC.mid", "caf\xF0\x9F\x98\x80.mid", "caf\xC3.mid",
                             "caf\xC0\x80.mid"})
        folder.writeFile(std::string("app/data/") + name);
    EXPECT_EQ(listFiles(app, "\\data\\", "caf?.mid").size(), 5u);
    folder.writeFile("app/data/\xC3\xA9.mid"); // at the very start too
    EXPECT_EQ(listFiles(app, "\\data\\", "?.mid"), std::vector<std::string>{"\xC3\xA9.mid"});
    // Letters beyond ASCII match only as written, as resolvePath takes them.
    EXPECT_EQ(listFiles(app, "\\data\\", "CAF\xC3\xA9.*"), std::vector<std::string>{"caf\xC3\xA9.mid"});
    EXPECT_TRUE(listFiles(app, "\\data\\", "caf\xC3\x89.*").empty()); // "É" is not "é"

    // Folders: no files, no hidden ones; links to folders count. A name that
    // starts another ignoring case comes before it.
    fs::create_directories(app / "beach");
    fs::create_directories(app / "BEACHES");
    fs::create_directories(app / ".hidden");
    fs::create_directory_symlink(app / "beach", app / "Linked");
    folder.writeFile("app/Readme.txt");
    EXPECT_EQ(listFolders(app), (std::vector<std::string>{"beach", "BEACHES", "data", "Linked", "Space"}));
    EXPECT_TRUE(listFolders(root / "missing").empty());
}

} // namespace
