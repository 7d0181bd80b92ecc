#include "storage/SkinCatalogue.h"

#include "storage/AppPaths.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace quibix {

namespace {

constexpr const char* kBackgroundPattern = "Fondo*.jpg";

// Display names of the skin's other pictures, in list order.
constexpr const char* kNamedFiles[] = {"ParedA.jpg", "ParedB.jpg", "Banda.jpg"};

bool isDefaultSkin(const std::string& folder)
{
    return folder == "\\";
}

// The folder a listed file of the default skin is read from: its own, else
// the data folder's.
std::string defaultSkinSource(const fs::path& appFolder, const std::string& fileItem)
{
    return fileExists(appFolder, "\\" + fileItem) ? std::string("\\") : dataFolderOf(appFolder);
}

} // namespace

std::vector<std::string> skinItems(const fs::path& appFolder)
{
    std::vector<std::string> items{kDefaultSkinItem};
    for (const std::string& name : listFolders(appFolder))
        items.push_back(name);
    return items;
}

std::string skinFolderOf(const std::string& item)
{
    return item == kDefaultSkinItem ? std::string("\\") : "\\" + item + "\\";
}

int skinItemIndex(const std::vector<std::string>& items, const std::string& strSkin)
{
    for (size_t i = 1; i < items.size(); ++i) {
        if (sameName("\\" + items[i] + "\\", strSkin))
            return static_cast<int>(i);
    }
    return 0;
}

std::vector<std::string> skinFileItems(const fs::path& appFolder, const std::string& folder)
{
    std::vector<std::string> items = listFiles(appFolder, folder, kBackgroundPattern);
    // The application folder of the shipped layout holds no pictures: its
    // backgrounds and the rest are the data folder's.
    if (isDefaultSkin(folder) && items.empty())
        items = listFiles(appFolder, dataFolderOf(appFolder), kBackgroundPattern);
    for (const char* name : kNamedFiles) {
        if (fileExists(appFolder, folder + name) ||
            (isDefaultSkin(folder) && fileExists(appFolder, dataFolderOf(appFolder) + name)))
            items.emplace_back(name);
    }
    return items;
}

fs::path skinFilePath(const fs::path& appFolder, const std::string& folder, const std::string& fileItem)
{
    if (isDefaultSkin(folder))
        return resolvePath(appFolder, defaultSkinSource(appFolder, fileItem) + fileItem);
    return resolvePath(appFolder, folder + fileItem);
}

bool isBandItem(const std::string& fileItem)
{
    return sameName(fileItem, "banda.jpg");
}

bool skinAcceptable(const std::vector<std::string>& fileItems)
{
    return std::any_of(fileItems.begin(), fileItems.end(), [](const std::string& item) {
        return sameName(item.substr(0, 5), "fondo");
    });
}

std::optional<std::string> storedSkinFolder(const fs::path& appFolder, const std::string& stored)
{
    if (stored == "\\")
        return stored;
    if (stored.size() < 3 || stored.front() != '\\' || stored.back() != '\\')
        return std::nullopt;
    const std::string name = stored.substr(1, stored.size() - 2);
    // One plain, visible folder name (not "." or ".." either): no
    // separators, drive letters or NULs.
    if (name.find_first_of(std::string("\\/:\0", 4)) != std::string::npos || name.front() == '.')
        return std::nullopt;
    const auto folders = listFolders(appFolder);
    if (std::none_of(folders.begin(), folders.end(),
                     [&](const std::string& f) { return sameName(f, name); }))
        return std::nullopt;
    return stored;
}

} // namespace quibix
