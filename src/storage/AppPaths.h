#pragma once
// Files of the application folder. The game keeps relative paths in its
// own stored form ("\data\", "\Space\fondo1.jpg") and matches every name
// without regard to letter case; this turns them into native paths.
#include <filesystem>
#include <string>
#include <vector>

namespace quibix {

// The native path of `stored` ("\data\shoot.wav", "\", "\Space\") under
// `appFolder`. Each component is matched case-insensitively against what
// exists; a component that does not exist is kept as written (so the result
// names where a new file would be created).
std::filesystem::path resolvePath(const std::filesystem::path& appFolder, const std::string& stored);

// Whether `stored` names an existing ordinary file (any letter case).
bool fileExists(const std::filesystem::path& appFolder, const std::string& stored);

// Names of the ordinary files in folder `storedFolder` matching `pattern`
// ("Fondo*.jpg", "*.mid": '*' and '?' wildcards, any letter case), as they
// are written on disk, sorted without regard to letter case.
std::vector<std::string> listFiles(const std::filesystem::path& appFolder,
                                   const std::string& storedFolder,
                                   const std::string& pattern);

// Names of the subfolders of the application folder, sorted without regard
// to letter case.
std::vector<std::string> listFolders(const std::filesystem::path& appFolder);

// Skins the player keeps in a folder of their own are offered beside the
// application folder's: from now on a stored path whose first folder is not
// in `appFolder` is looked up in `extraFolder` too, and listFolders(appFolder)
// lists both (the application folder's own wins a name both have). An empty
// `extraFolder` takes it back.
void addSkinFolder(const std::filesystem::path& appFolder, const std::filesystem::path& extraFolder);

// The data folder's stored path, as the game finds it at start-up:
// "\data\" when it holds the shot sound, else "\" (the application folder).
std::string dataFolderOf(const std::filesystem::path& appFolder);

// Case-insensitive comparison of two names (ASCII letters).
bool sameName(const std::string& a, const std::string& b);

} // namespace quibix
