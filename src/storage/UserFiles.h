#pragma once
// Where the game's files are: the application folder it reads (data/, the
// skins, Readme.txt) and the folder for the files it writes (Quibix.dat,
// Quibix.cfg).
//
// A build-folder or unpacked copy whose folder can be written keeps
// everything beside the program. An installed copy (the program in
// <prefix>/bin, its files in <prefix>/share/quibix) or a copy in a folder
// the player cannot write keeps the written files in the player's own
// folder: $XDG_DATA_HOME/quibix, by default ~/.local/share/quibix. Skin
// folders put there are offered beside the installed ones.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace quibix {

// Looks up an environment variable; null when it is not set.
using EnvLookup = std::function<const char*(const char*)>;

struct GameFolders {
    // The folder the game reads its own files from.
    std::filesystem::path appFolder;
    // The folder of Quibix.dat and Quibix.cfg. Empty: beside the data files
    // (application folder + the data folder's stored path), as always.
    std::filesystem::path userFolder;
    // True for a copy laid out by `make install` or the package.
    bool installed = false;
    // Set when the files should go to a per-user folder but no home folder
    // is known; the game then plays on with what it can write.
    std::string problem;

    // The native path of `name`, a file the game writes; `dataPath` is the
    // data folder's stored path ("\data\" or "\").
    std::filesystem::path writableFile(const std::string& dataPath, const std::string& name) const;

    // The folders whose subfolders are offered as skins: the application
    // folder, then the per-user folder when there is one.
    std::vector<std::filesystem::path> skinRoots() const;
};

// Works out the folders for the program found in `programFolder`.
GameFolders locateGameFolders(const std::filesystem::path& programFolder, const EnvLookup& env);

// The player's own folder for the game: $XDG_DATA_HOME/quibix when that is
// an absolute path, else $HOME/.local/share/quibix, else the same under the
// account's home folder. Empty when none is known.
std::filesystem::path perUserFolder(const EnvLookup& env);

// Creates the per-user folder on first use. A file the game writes that is
// missing there but exists beside the data files (a copy that became
// read-only) is copied over, so no score is lost; the copy is the
// player's to write, and a sparse file stays sparse (copyDataFile). False with `error` set
// when the folder cannot be created; nothing to do without a per-user folder.
bool prepareUserFolder(const GameFolders& folders, std::string* error = nullptr);

} // namespace quibix
