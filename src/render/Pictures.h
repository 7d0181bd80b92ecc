#pragma once
// Loading the skin's JPEG pictures, and plain pictures to use when a file
// is missing or damaged.
#include <QImage>

#include <filesystem>

namespace quibix {

// The picture at `file` as an RGB32 image of exactly `size` (scaled if the
// file has another size); a null image when the file is missing or not a
// picture.
QImage loadPicture(const std::filesystem::path& file, QSize size);

enum class PlainKind { Background, Cover, Band, About };

// A calm generated picture for when a skin's own file cannot be loaded.
QImage plainPicture(PlainKind kind, QSize size);

} // namespace quibix
