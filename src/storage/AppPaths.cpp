#include "storage/AppPaths.h"

#include <algorithm>
#include <map>
#include <system_error>

namespace fs = std::filesystem;

namespace quibix {

namespace {

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Components of a stored path; "\" and "/" both separate, empty parts and
// "." vanish. ".." vanishes too: a stored path (it may come from a damaged
// settings file) must never reach outside the application folder.
std::vector<std::string> splitStored(const std::string& stored)
{
    std::vector<std::string> parts;
    std::string part;
    auto flush = [&] {
        if (!part.empty() && part != "." && part != "..")
            parts.push_back(part);
        part.clear();
    };
    for (char c : stored) {
        if (c == '\\' || c == '/')
            flush();
        else
            part += c;
    }
    flush();
    return parts;
}

// Dot-names are the hidden entries here; the game never lists hidden ones.
bool isHidden(const std::string& name)
{
    return !name.empty() && name.front() == '.';
}

// Case-insensitive order; names that differ only in case by their bytes,
// so a listing is the same on every run.
bool lessIgnoringCase(const std::string& a, const std::string& b)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(lowerAscii(a[i]));
        const auto y = static_cast<unsigned char>(lowerAscii(b[i]));
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

void sortNames(std::vector<std::string>& names)
{
    std::sort(names.begin(), names.end(), lessIgnoringCase);
}

// Length of the UTF-8 character starting at s[i] (1 for a stray byte), so
// that '?' matches one character of a non-ASCII name, not one byte of it.
size_t charLength(const std::string& s, size_t i)
{
    const auto lead = static_cast<unsigned char>(s[i]);
    size_t n = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    for (size_t k = 1; k < n; ++k) {
        if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
            return 1;
    }
    return n;
}

// '*' matches any run, '?' one character; ASCII letters match in either
// case, others only as written (as sameName, so what is listed resolves to
// itself). Neither fnmatch(3) with FNM_CASEFOLD nor Qt's name filters keep
// that: both fold non-ASCII letters too, fnmatch's '?' is one byte unless
// the process runs under a UTF-8 locale, and Qt's '?' does not match a
// byte sequence that is not valid UTF-8 as one character.
bool matchesPattern(const std::string& name, const std::string& pattern)
{
    size_t n = 0, p = 0;
    size_t starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += charLength(name, n);
        } else if (p < pattern.size() && lowerAscii(pattern[p]) == lowerAscii(name[n])) {
            ++p;
            ++n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            starN += charLength(name, starN);
            n = starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

// The entry of `dir` whose name equals `name` ignoring case: the exact name
// when it exists, else the first in byte order (deterministic when several
// names differ only in case). Empty when nothing matches.
std::string findEntry(const fs::path& dir, const std::string& name)
{
    std::error_code ec;
    if (fs::exists(fs::symlink_status(dir / name, ec)))
        return name;
    std::string best;
    for (fs::directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (sameName(entry, name) && (best.empty() || entry < best))
            best = entry;
    }
    return best;
}

// Application folder -> the player's extra skin folder. The game has one
// thread; this is set once at start-up.
std::map<fs::path, fs::path>& skinFolders()
{
    static std::map<fs::path, fs::path> folders;
    return folders;
}

const fs::path* extraFolderOf(const fs::path& appFolder)
{
    const auto it = skinFolders().find(appFolder);
    return it == skinFolders().end() ? nullptr : &it->second;
}

} // namespace

void addSkinFolder(const fs::path& appFolder, const fs::path& extraFolder)
{
    if (extraFolder.empty())
        skinFolders().erase(appFolder);
    else
        skinFolders()[appFolder] = extraFolder;
}

bool sameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

std::string dataFolderOf(const fs::path& appFolder)
{
    return fileExists(appFolder, "\\data\\shoot.wav") ? "\\data\\" : "\\";
}

fs::path resolvePath(const fs::path& appFolder, const std::string& stored)
{
    const std::vector<std::string> parts = splitStored(stored);
    fs::path result = appFolder;
    if (const fs::path* extra = extraFolderOf(appFolder); extra && !parts.empty() &&
        findEntry(appFolder, parts.front()).empty() && !findEntry(*extra, parts.front()).empty())
        result = *extra; // a skin of the player's own
    bool searching = true; // once a component is missing, nothing below it exists
    for (std::string part : parts) {
        if (part.find('\0') != std::string::npos) {
            // The system would cut the name at the NUL and open another file.
            std::replace(part.begin(), part.end(), '\0', '?');
            searching = false;
        }
        if (searching) {
            const std::string found = findEntry(result, part);
            if (found.empty())
                searching = false;
            else
                part = found;
        }
        result /= part;
    }
    return result;
}

bool fileExists(const fs::path& appFolder, const std::string& stored)
{
    std::error_code ec;
    return fs::is_regular_file(resolvePath(appFolder, stored), ec);
}

std::vector<std::string> listFiles(const fs::path& appFolder, const std::string& storedFolder,
                                   const std::string& pattern)
{
    std::vector<std::string> names;
    std::error_code ec;
    const fs::path dir = resolvePath(appFolder, storedFolder);
    for (fs::directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (!isHidden(name) && it->is_regular_file(typeError) && matchesPattern(name, pattern))
            names.push_back(name);
    }
    sortNames(names);
    return names;
}

std::vector<std::string> listFolders(const fs::path& appFolder)
{
    std::vector<std::string> names;
    // A player's folder named like one of the application folder's is
    // reached as that one, so it is not listed twice.
    auto addFoldersOf = [&names](const fs::path& root, std::size_t ownCount) {
        std::error_code ec;
        for (fs::directory_iterator it(root, fs::directory_options::skip_permission_denied, ec), end;
             !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            std::error_code typeError;
            const bool listed = std::any_of(names.begin(), names.begin() + static_cast<long>(ownCount),
                                            [&](const std::string& n) { return sameName(n, name); });
            if (!isHidden(name) && !listed && it->is_directory(typeError))
                names.push_back(name);
        }
    };
    addFoldersOf(appFolder, 0);
    if (const fs::path* extra = extraFolderOf(appFolder))
        addFoldersOf(*extra, names.size());
    sortNames(names);
    return names;
}

} // namespace quibix
