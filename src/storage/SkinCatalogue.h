#pragma once
// The skins of the application folder, as the skin chooser and the
// settings loader see them. A skin is "\" (the application folder itself,
// shown as "-Default-") or "\" + the name of a folder directly inside it +
// "\". Names are matched without regard to letter case.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quibix {

inline constexpr const char* kDefaultSkinItem = "-Default-";

// "-Default-", then every folder of the application folder (the data
// folder included, like any other).
std::vector<std::string> skinItems(const std::filesystem::path& appFolder);

// The stored folder of a list item: "\" for "-Default-", else "\name\".
std::string skinFolderOf(const std::string& item);

// The item to select for the skin `strSkin`: the folder it names, in any
// letter case, else 0 ("-Default-").
int skinItemIndex(const std::vector<std::string>& items, const std::string& strSkin);

// The files the chooser lists for a skin folder: every "Fondo*.jpg" as it
// is written on disk, then "ParedA.jpg", "ParedB.jpg" and "Banda.jpg" for
// those found in any letter case. The default skin "\" shows the look it
// loads as: what the application folder lacks (all backgrounds, or one of
// the other pictures) comes from the data folder, as it does in play, so
// "-Default-" gives back the look the game starts with.
std::vector<std::string> skinFileItems(const std::filesystem::path& appFolder,
                                       const std::string& folder);

// Where a listed file lives (the display names resolved case-insensitively;
// for the default skin, in the data folder when it is not in its own).
std::filesystem::path skinFilePath(const std::filesystem::path& appFolder,
                                   const std::string& folder, const std::string& fileItem);

// The narrow band picture is previewed in its own box.
bool isBandItem(const std::string& fileItem);

// Whether OK accepts a skin with these files: it needs at least one
// background, since every screen is set up on one of the skin's own.
bool skinAcceptable(const std::vector<std::string>& fileItems);

// A skin read from the settings file, when it names an existing folder
// directly inside the application folder ("\" included): nothing for an
// absolute path, "..", a nested path or a name that is not a folder.
// The result is spelled as stored.
std::optional<std::string> storedSkinFolder(const std::filesystem::path& appFolder,
                                            const std::string& stored);

} // namespace quibix
