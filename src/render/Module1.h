#pragma once
// The buffer primitives: scratch images and the four-copy masked blit.
#include <QImage>

#include <cstdint>

namespace quibix {

// A scratch image of the given size in the same format as `like`.
QImage CreaBuffer(const QImage& like, int16_t width, int16_t height);

// Drops the scratch image's pixels; the buffer is null afterwards.
void LiberaBuffer(QImage& buffer);

// Plain copy of the w x h rectangle at (sx, sy) of `source` to (dx, dy) of
// `destination`, clipped to both images.
void CopyRect(QImage& destination, int dx, int dy, int w, int h,
              const QImage& source, int sx, int sy);

// Transparent copy of the sprite's top-left w x h onto the destination at
// (x, y), through `scratch` in four copies: destination to scratch, AND the
// mask (white where transparent), OR the sprite (black where transparent),
// scratch back to the destination. The destination never holds a half-drawn
// sprite.
void DibujaTransparente(QImage& destination, const QImage& sprite, const QImage& mask,
                        QImage& scratch, int x, int y, int w, int h);

} // namespace quibix
