// The case-insensitive path resolver and the wildcard listing: a stored
// path (it may come from a damaged file) never leads out of the base
// folder, each component matches what it asked for, and a listing holds
// exactly the files its pattern matches.
#include "FuzzSupport.h"

#include "storage/AppPaths.h"

#include <algorithm>
#include <set>

using namespace quibix;
namespace fs = std::filesystem;

namespace {

fs::path base() { return fuzz::scratchFolder() / "app"; }

char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

size_t charLength(const std::string& s, size_t i)
{
    const auto lead = static_cast<unsigned char>(s[i]);
    size_t n = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    for (size_t k = 1; k < n; ++k)
        if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
            return 1;
    return n;
}

// Reference wildcard match by dynamic programming: '*' any run of
// characters, '?' one character, letters in either case.
bool referenceMatch(const std::string& name, const std::string& pattern)
{
    const size_t N = name.size(), P = pattern.size();
    std::vector<std::vector<char>> ok(N + 2, std::vector<char>(P + 1, 0));
    ok[N][P] = 1;
    for (size_t p = P; p-- > 0;) {
        for (size_t n = N + 1; n-- > 0;) {
            const char c = pattern[p];
            bool r;
            if (c == '*')
                r = ok[n][p + 1] || (n < N && ok[std::min(N, n + charLength(name, n))][p]);
            else if (c == '?')
                r = n < N && ok[std::min(N, n + charLength(name, n))][p + 1];
            else
                r = n < N && lower(c) == lower(name[n]) && ok[n + 1][p + 1];
            ok[n][p] = r;
        }
    }
    return ok[0][0];
}

std::vector<std::string> storedParts(const std::string& stored)
{
    std::vector<std::string> parts;
    std::string part;
    for (size_t i = 0; i <= stored.size(); ++i) {
        if (i == stored.size() || stored[i] == '\\' || stored[i] == '/') {
            if (!part.empty() && part != "." && part != "..")
                parts.push_back(part);
            part.clear();
        } else {
            part += stored[i];
        }
    }
    return parts;
}

bool sameIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

namespace quibix::fuzz {

void setUp()
{
    const char* files[] = {"data/Shoot.WAV", "data/Quibix.DAT", "data/shoot.wav.bak", "Space/Fondo1.jpg",
                           "Space/FONDO2.JPG", "Space/fondo10.jpg", "Space/fond\xC3\xA9.jpg",
                           "Space/.hidden.jpg", "Space/Fondo.jpg.bak", "Readme.txt", "a/b/c/d.txt"};
    for (const char* f : files) {
        fs::create_directories((base() / f).parent_path());
        std::ofstream(base() / f) << "x";
    }
    fs::create_directories(base() / "Space" / "fondo3.jpg"); // a folder, never listed
    std::ofstream(fuzz::scratchFolder() / "outside.txt") << "x";
}

std::vector<std::string> seeds()
{
    return {"", "\\", "\\data\\shoot.wav\nshoot.*", "\\SPACE\\\nFondo*.jpg", "\\space\\fondo1.jpg",
            "..\\outside.txt", "\\..\\..\\etc\\passwd", "/data/../../outside.txt\n*", "\\.\\DATA\\.\\quibix.dat",
            std::string("\\da\0ta\\x", 8), "\\Space\\\n?ond?*.jpg", "\\A\\B\\C\\D.TXT\n*.*", "\\Space\\\n*\xC3\xA9*",
            std::string(200, '\\') + "\n" + std::string(40, '*')};
}

} // namespace quibix::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 512)
        return 0;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t cut = input.find('\n');
    const std::string stored = input.substr(0, cut);
    const std::string pattern = cut == std::string::npos ? "*" : input.substr(cut + 1);

    // Inside the base folder, one component for each stored one, each the
    // same name in some letter case.
    const fs::path resolved = resolvePath(base(), stored);
    FUZZ_CHECK(resolved.native().find('\0') == std::string::npos);
    const fs::path relative = resolved.lexically_relative(base());
    const std::vector<std::string> parts = storedParts(stored);
    size_t k = 0;
    for (const fs::path& component : relative) {
        if (component == ".")
            continue;
        FUZZ_CHECK(component != ".." && k < parts.size());
        std::string want = parts[k++];
        std::replace(want.begin(), want.end(), '\0', '?');
        FUZZ_CHECK(sameIgnoringCase(component.string(), want));
    }
    FUZZ_CHECK(k == parts.size());
    std::error_code ec;
    FUZZ_CHECK(fileExists(base(), stored) == fs::is_regular_file(resolved, ec));

    // The listing: exactly the visible ordinary files the pattern matches.
    if (pattern.find('\0') != std::string::npos || pattern.size() > 64)
        return 0;
    const std::vector<std::string> listed = listFiles(base(), stored, pattern);
    std::set<std::string> expected;
    if (fs::is_directory(resolved, ec)) {
        for (const auto& entry : fs::directory_iterator(resolved)) {
            const std::string name = entry.path().filename().string();
            if (name[0] != '.' && entry.is_regular_file() && referenceMatch(name, pattern))
                expected.insert(name);
        }
    }
    FUZZ_CHECK(std::set<std::string>(listed.begin(), listed.end()) == expected);
    FUZZ_CHECK(listed.size() == expected.size());
    return 0;
}
