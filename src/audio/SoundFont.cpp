#include "audio/SoundFont.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

namespace quibix {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

// Debian's default-GM.sf2 follows the system's chosen font; the others are
// the General MIDI fonts Debian packages install.
const char* const kKnownFonts[] = {"default-GM.sf2", "default-GM.sf3", "TimGM6mb.sf2",
                                   "FluidR3_GM.sf2", "FluidR3_GM.sf3", "MuseScore_General.sf3"};

bool hasFontExtension(const fs::path& file)
{
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".sf2" || ext == ".sf3";
}

} // namespace

SoundFontSearch SoundFontSearch::fromEnvironment()
{
    SoundFontSearch search;
    if (const char* sdl = std::getenv("SDL_SOUNDFONTS"))
        search.sdlSoundFonts = sdl;
    if (const char* dirs = std::getenv("QUIBIX_SOUNDFONT_DIRS"))
        search.folders = dirs;
    return search;
}

bool isSoundFont(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    unsigned char head[12] = {};
    if (!in.read(reinterpret_cast<char*>(head), sizeof head))
        return false;
    if (!std::equal(head, head + 4, "RIFF") || !std::equal(head + 8, head + 12, "sfbk"))
        return false;
    // A cut-off font still starts well, but the synthesiser then refuses it
    // and plays every piece silently: the size it gives must be there.
    const std::uintmax_t riffSize = head[4] | head[5] << 8 | head[6] << 16 | std::uintmax_t(head[7]) << 24;
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(file, ec);
    return !ec && size >= riffSize + 8;
}

std::optional<fs::path> findSoundFont(const SoundFontSearch& search, std::string& why)
{
    for (const std::string& file : split(search.sdlSoundFonts, ';'))
        if (isSoundFont(file))
            return fs::path(file);

    const std::vector<std::string> folders = split(search.folders, ':');
    for (const std::string& folder : folders) {
        for (const char* name : kKnownFonts)
            if (isSoundFont(fs::path(folder) / name))
                return fs::path(folder) / name;
        std::error_code ec;
        std::vector<fs::path> others;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
            if (hasFontExtension(it->path()))
                others.push_back(it->path());
        std::sort(others.begin(), others.end());
        for (const fs::path& file : others)
            if (isSoundFont(file))
                return file;
    }

    why = "no General MIDI sound font in ";
    if (!search.sdlSoundFonts.empty())
        why += "SDL_SOUNDFONTS (" + search.sdlSoundFonts + ") nor in ";
    why += search.folders.empty() ? std::string("any folder") : search.folders;
    why += "; install timgm6mb-soundfont or set SDL_SOUNDFONTS";
    return std::nullopt;
}

} // namespace quibix
