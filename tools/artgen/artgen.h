#pragma once
// artgen: the build-time generator of the game's pictures and sounds.
#include <filesystem>

namespace artgen {

// Draws the sprites (PNG, plus sprites.qrc) into `spriteDir`, the skin
// pictures (JPEG) into the application folder's data/ and skin folders, and
// a contact sheet of everything to `contactSheet`. Returns 0 on success.
int generatePictures(const std::filesystem::path& appDir, const std::filesystem::path& spriteDir,
                     const std::filesystem::path& contactSheet);

// Synthesises the effect sounds (16-bit PCM WAV) into `dataDir`.
int generateSounds(const std::filesystem::path& dataDir);

// Composes the background music (Standard MIDI Files) into `dataDir`.
int generateMusic(const std::filesystem::path& dataDir);
// Draws the game's icon as PNGs of every size the desktop asks for
// (quibix-16.png .. quibix-256.png), the scalable quibix.svg and icons.qrc
// listing the PNGs for the program's resource. Returns 0 on success.
int generateIcons(const std::filesystem::path& iconDir);

} // namespace artgen
