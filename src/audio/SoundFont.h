#pragma once
// Finding the General MIDI sound font the MIDI synthesiser needs. Left to
// chance, SDL_mixer looks in one fixed place and music silently fails on
// most machines; we look where Debian's sound font packages put theirs.
#include <filesystem>
#include <optional>
#include <string>

namespace quibix {

// The folders searched when QUIBIX_SOUNDFONT_DIRS does not name others.
inline constexpr const char* kSoundFontFolders =
    "/usr/share/sounds/sf2:/usr/share/sounds/sf3:/usr/share/soundfonts:/usr/local/share/soundfonts";

struct SoundFontSearch {
    // SDL_SOUNDFONTS: files separated by ';'. Used first, when one of them
    // is a sound font.
    std::string sdlSoundFonts;
    // Folders separated by ':' (QUIBIX_SOUNDFONT_DIRS, else kSoundFontFolders).
    std::string folders = kSoundFontFolders;

    // From the environment.
    static SoundFontSearch fromEnvironment();
};

// The first usable sound font: the SDL_SOUNDFONTS files in order, then in
// each folder the system's default General MIDI font, the known Debian
// fonts, and any other *.sf2 / *.sf3 in name order. Without one, `why`
// says what was searched.
std::optional<std::filesystem::path> findSoundFont(const SoundFontSearch& search, std::string& why);

// Whether the file is a SoundFont (a RIFF "sfbk" file) as long as it says.
bool isSoundFont(const std::filesystem::path& file);

} // namespace quibix
