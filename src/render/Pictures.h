#pragma once
// Loading the skin's JPEG pictures, and plain pictures to use when a file
// is missing or damaged.
#include <QImage>

#include <filesystem>
#include <string>

namespace quibix {

// Every picture the game reads from disk goes through here. Its size is read
// from the file's header first: one wider or taller than kMaxPictureSide, or
// with more than kMaxPicturePixels, is refused before it is decoded, so a
// hostile picture can neither exhaust memory nor freeze the game. Only
// ordinary files are read (a pipe in a picture's place would block).
// Returns the decoded picture, or a null image with `why` saying why not.
QImage readPicture(const std::filesystem::path& file, std::string* why = nullptr);

// Far beyond anything the game shows (the play field is 442 x 460), yet
// room for a large photo dropped into a skin.
constexpr int kMaxPictureSide = 8192;
constexpr long long kMaxPicturePixels = 4096LL * 4096;

// The picture at `file` (through readPicture) as an RGB32 image of exactly
// `size` (scaled if the file has another size); a null image when the file
// is missing, not a picture or too large.
QImage loadPicture(const std::filesystem::path& file, QSize size);

enum class PlainKind { Background, Cover, Band, About };

// A calm generated picture for when a skin's own file cannot be loaded.
QImage plainPicture(PlainKind kind, QSize size);

} // namespace quibix
