// Where the game reads its files and where it writes Quibix.dat and
// Quibix.cfg: build folder, installed tree, per-user folder.
#include "fakes/AsOrdinaryUser.h"
#include "fakes/FileBytes.h"
#include "fakes/GameFixture.h"
#include "storage/AppPaths.h"
#include "storage/HighScoreFile.h"
#include "storage/SafeWrite.h"
#include "storage/SettingsFile.h"
#include "storage/UserFiles.h"

#include <map>
#include <pwd.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace quibix::testing {
namespace {

EnvLookup environment(std::map<std::string, std::string> vars)
{
    auto held = std::make_shared<std::map<std::string, std::string>>(std::move(vars));
    return [held](const char* name) -> const char* {
        const auto it = held->find(name);
        return it == held->end() ? nullptr : it->second.c_str();
    };
}

TEST(UserFilesTest, PerUserFolderFollowsXdgThenHome)
{
    EXPECT_EQ(perUserFolder(environment({{"XDG_DATA_HOME", "/x/data"}, {"HOME", "/home/p"}})), "/x/data/quibix");
    EXPECT_EQ(perUserFolder(environment({{"XDG_DATA_HOME", "relative/data"}, {"HOME", "/home/p"}})),
              "/home/p/.local/share/quibix");
    // Without HOME the account's own home folder serves, never a relative path.
    const passwd* account = ::getpwuid(::getuid());
    const bool absolute = account && account->pw_dir && account->pw_dir[0] == '/';
    EXPECT_EQ(perUserFolder(environment({{"HOME", "not/absolute"}})),
              absolute ? fs::path(account->pw_dir) / ".local/share/quibix" : fs::path());
}

TEST(UserFilesTest, BuildFolderKeepsFilesBesideTheProgramAndInstalledTreeUsesThePlayersFolder)
{
    TempAppFolder root;
    root.writeFile("build/Quibix/data/shoot.wav");
    root.writeFile("usr/share/quibix/data/shoot.wav");
    // A copy in some bin/ folder beside an installed tree: its own files win.
    root.writeFile("opt/bin/data/shoot.wav");
    root.writeFile("opt/share/quibix/data/shoot.wav");
    const auto env = environment({{"XDG_DATA_HOME", (root.path() / "xdg").string()}});

    const GameFolders build = locateGameFolders(root.path() / "build/Quibix", env);
    EXPECT_FALSE(build.installed);
    EXPECT_EQ(build.appFolder, root.path() / "build/Quibix");
    EXPECT_EQ(build.writableFile("\\data\\", "Quibix.dat"), root.path() / "build/Quibix/data/Quibix.dat");
    EXPECT_EQ(build.skinRoots(), std::vector<fs::path>{root.path() / "build/Quibix"});

    const GameFolders unpacked = locateGameFolders(root.path() / "opt/bin", env);
    EXPECT_FALSE(unpacked.installed);
    EXPECT_EQ(unpacked.appFolder, root.path() / "opt/bin");

    // Installed: never written, even by an account that could write it.
    const GameFolders installed = locateGameFolders(root.path() / "usr/games", env);
    EXPECT_TRUE(installed.installed);
    EXPECT_EQ(installed.appFolder, root.path() / "usr/share/quibix");
    EXPECT_EQ(installed.userFolder, root.path() / "xdg/quibix");
    EXPECT_EQ(installed.writableFile("\\data\\", "Quibix.cfg"), root.path() / "xdg/quibix/Quibix.cfg");
    EXPECT_EQ(installed.skinRoots(),
              (std::vector<fs::path>{root.path() / "usr/share/quibix", root.path() / "xdg/quibix"}));
    EXPECT_TRUE(installed.problem.empty());
}

TEST(UserFilesTest, ACopyInAFolderThePlayerCannotWriteUsesThePlayersFolder)
{
    if (!runHereAsOrdinaryUser()) // root can write any folder
        return;
    TempAppFolder root;
    root.writeFile("shared/Quibix/data/shoot.wav");
    fs::permissions(root.path() / "shared/Quibix/data", fs::perms::owner_write, fs::perm_options::remove);
    const GameFolders folders = locateGameFolders(
        root.path() / "shared/Quibix", environment({{"HOME", (root.path() / "me").string()}}));
    fs::permissions(root.path() / "shared/Quibix/data", fs::perms::owner_write, fs::perm_options::add);
    EXPECT_FALSE(folders.installed);
    EXPECT_EQ(folders.appFolder, root.path() / "shared/Quibix");
    EXPECT_EQ(folders.userFolder, root.path() / "me/.local/share/quibix");
}

TEST(UserFilesTest, FirstUseCreatesTheFolderAndCarriesOldScoresOver)
{
    TempAppFolder root;
    root.writeFile("app/data/shoot.wav");
    root.writeFile("app/data/Quibix.dat", "old scores");
    root.writeFile("home/quibix/Quibix.cfg", "mine");
    root.writeFile("app/data/Quibix.cfg", "theirs");
    GameFolders folders;
    folders.appFolder = root.path() / "app";
    folders.userFolder = root.path() / "home/deep/quibix";

    ASSERT_TRUE(prepareUserFolder(folders));
    EXPECT_EQ(fileBytes(folders.userFolder / "Quibix.dat"), "old scores");
    EXPECT_TRUE(fs::exists(folders.userFolder / "Quibix.cfg"));

    // A file already in the player's folder is never replaced.
    folders.userFolder = root.path() / "home/quibix";
    ASSERT_TRUE(prepareUserFolder(folders));
    EXPECT_EQ(fileBytes(folders.userFolder / "Quibix.cfg"), "mine");

    // A folder that cannot be made (a file is in the way) is reported.
    root.writeFile("blocked");
    folders.userFolder = root.path() / "blocked/quibix";
    std::string error;
    EXPECT_FALSE(prepareUserFolder(folders, &error));
    EXPECT_NE(error.find("blocked"), std::string::npos) << error;
}

TEST(UserFilesTest, CarriedOverFilesAreThePlayersToWriteAndStaySparse)
{
    if (!runHereAsOrdinaryUser()) // root writes read-only files anyway
        return;
    // A shared copy: read-only files in a read-only folder, the scores a
    // sparse file of 256 MiB with data only at both ends.
    TempAppFolder root;
    root.writeFile("app/data/shoot.wav");
    root.writeFile("app/data/Quibix.cfg", "cfg");
    const fs::path dat = root.path() / "app/data/Quibix.dat";
    constexpr std::uintmax_t kSparseSize = 256u << 20;
    root.writeFile("app/data/Quibix.dat", std::string(608, 's'));
    fs::resize_file(dat, kSparseSize - 3);
    std::ofstream(dat, std::ios::binary | std::ios::app) << "end";
    for (const char* name : {"Quibix.dat", "Quibix.cfg"})
        fs::permissions(root.path() / "app/data" / name, fs::perms::owner_read | fs::perms::group_read |
                                                           fs::perms::others_read);
    fs::permissions(root.path() / "app/data", fs::perms::owner_write, fs::perm_options::remove);
    GameFolders folders;
    folders.appFolder = root.path() / "app";
    folders.userFolder = root.path() / "home/quibix";

    ASSERT_TRUE(prepareUserFolder(folders));
    fs::permissions(root.path() / "app/data", fs::perms::owner_write, fs::perm_options::add);
    const fs::path own = folders.userFolder / "Quibix.dat";
    struct stat info {};
    ASSERT_EQ(::stat(own.c_str(), &info), 0);
    EXPECT_EQ(static_cast<std::uintmax_t>(info.st_size), kSparseSize);
    EXPECT_LT(info.st_blocks * 512, 1 << 20); // the hole stayed a hole
    std::string tail;
    bool exists = false;
    EXPECT_EQ(readBytesAt(own, kSparseSize - 4, 4, tail, exists), 0);
    EXPECT_EQ(tail, std::string("\0end", 4));
    EXPECT_FALSE(fs::exists(tempPathFor(own)));

    // The copies take the mode of any new file of the player's (the umask's
    // 0666), so scores and settings can be saved there.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    for (const char* name : {"Quibix.dat", "Quibix.cfg"})
        EXPECT_EQ(fs::status(folders.userFolder / name).permissions(), fs::perms(0666 & ~mask)) << name;
    EXPECT_TRUE(HighScoreFile(own).write(RecordTable{}));
    EXPECT_TRUE(SettingsFile(folders.userFolder / "Quibix.cfg").write(Config{}));
    EXPECT_EQ(readBytesAt(own, 0, 4, tail, exists), 0);
    EXPECT_EQ(tail, "ssss"); // the rows were written into the copy
}

// With a player's folder the game keeps its high scores there, not in the
// application folder.
using UserFolderGameTest = GameFixture;

TEST_F(UserFolderGameTest, HighScoresLiveInThePlayersFolder)
{
    TempAppFolder home;
    game().setUserFolder(home.path());
    home.writeFile("quibix.DAT"); // any letter case is the same file
    load();
    rules().setScore(1234);
    form->GrabaRecords(false);
    EXPECT_GT(fs::file_size(home.path() / "quibix.DAT"), 0u);
    EXPECT_FALSE(fs::exists(folder.path() / "data" / "Quibix.dat"));
}

TEST(UserFilesTest, SkinsInThePlayersFolderAreOfferedBesideTheInstalledOnes)
{
    TempAppFolder app, home;
    app.writeFile("Space/banda.jpg");
    home.writeFile("Mine/banda.jpg");
    home.writeFile("space/banda.jpg"); // named like an installed one: never reached
    addSkinFolder(app.path(), home.path());
    EXPECT_EQ(listFolders(app.path()), (std::vector<std::string>{"Mine", "Space"}));
    EXPECT_EQ(resolvePath(app.path(), "\\MINE\\Banda.jpg"), home.path() / "Mine/banda.jpg");
    EXPECT_EQ(resolvePath(app.path(), "\\space\\banda.jpg"), app.path() / "Space/banda.jpg");
    EXPECT_EQ(resolvePath(app.path(), "\\Nowhere\\"), app.path() / "Nowhere");
    // Paths of other roots are not redirected.
    EXPECT_EQ(resolvePath(home.path(), "\\Mine\\"), home.path() / "Mine");
    addSkinFolder(app.path(), {});
}

} // namespace
} // namespace quibix::testing
