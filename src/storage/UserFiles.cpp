#include "storage/UserFiles.h"

#include "storage/AppPaths.h"
#include "storage/SafeWrite.h"

#include <pwd.h>
#include <unistd.h>

#include <system_error>

namespace fs = std::filesystem;

namespace quibix {

namespace {

constexpr const char* kWrittenFiles[] = {"Quibix.dat", "Quibix.cfg"};

bool writable(const fs::path& folder)
{
    return ::access(folder.c_str(), W_OK) == 0;
}

// XDG base directories must be absolute; anything else is ignored.
fs::path absoluteVariable(const EnvLookup& env, const char* name)
{
    const char* value = env ? env(name) : nullptr;
    if (value == nullptr || value[0] != '/')
        return {};
    return fs::path(value);
}

} // namespace

fs::path GameFolders::writableFile(const std::string& dataPath, const std::string& name) const
{
    if (userFolder.empty())
        return resolvePath(appFolder, dataPath + name);
    return resolvePath(userFolder, name);
}

std::vector<fs::path> GameFolders::skinRoots() const
{
    std::vector<fs::path> roots{appFolder};
    if (!userFolder.empty())
        roots.push_back(userFolder);
    return roots;
}

fs::path perUserFolder(const EnvLookup& env)
{
    if (fs::path data = absoluteVariable(env, "XDG_DATA_HOME"); !data.empty())
        return data / "quibix";
    fs::path home = absoluteVariable(env, "HOME");
    if (home.empty()) {
        // No HOME (a service, a stripped environment): the account's own.
        if (const passwd* account = ::getpwuid(::getuid()); account && account->pw_dir &&
                                                            account->pw_dir[0] == '/')
            home = account->pw_dir;
    }
    if (home.empty())
        return {};
    return home / ".local" / "share" / "quibix";
}

GameFolders locateGameFolders(const fs::path& programFolder, const EnvLookup& env)
{
    GameFolders folders;
    folders.appFolder = programFolder;
    std::error_code ec;
    const fs::path shared = (programFolder.parent_path() / "share" / "quibix").lexically_normal();
    // The game's files beside the program win: that is a build folder or an
    // unpacked copy, even when it happens to sit in a bin/ folder.
    if (!fileExists(programFolder, "\\data\\shoot.wav") && fs::is_directory(shared, ec)) {
        folders.appFolder = shared;
        folders.installed = true;
    }

    // An installed tree is never written, even by an account that could.
    const fs::path dataFolder = resolvePath(folders.appFolder, dataFolderOf(folders.appFolder));
    if (!folders.installed && writable(dataFolder))
        return folders;

    folders.userFolder = perUserFolder(env);
    if (folders.userFolder.empty())
        folders.problem = "no home folder is known (HOME is not set), so high scores and "
                          "settings cannot be kept";
    return folders;
}

bool prepareUserFolder(const GameFolders& folders, std::string* error)
{
    if (folders.userFolder.empty())
        return true;
    std::error_code ec;
    fs::create_directories(folders.userFolder, ec);
    if (ec || !fs::is_directory(folders.userFolder)) {
        if (error)
            *error = "cannot create " + folders.userFolder.string() + ": " +
                     (ec ? ec.message() : std::string("not a folder"));
        return false;
    }
    const std::string dataPath = dataFolderOf(folders.appFolder);
    for (const char* name : kWrittenFiles) {
        const fs::path own = folders.writableFile(dataPath, name);
        const fs::path old = resolvePath(folders.appFolder, dataPath + name);
        // Best effort: a fresh file is fine too. Only an ordinary file is
        // copied, never over one the player already has, holes kept (a
        // sparse file of gigabytes must not hold up the first start), and
        // as a file the player can write, whatever the original's mode.
        copyDataFile(old, own);
    }
    return true;
}

} // namespace quibix
