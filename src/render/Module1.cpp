#include "render/Module1.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

namespace quibix {

namespace {

bool is32Bit(const QImage& image)
{
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return true;
    default:
        return false;
    }
}

// Every surface is RGB32; anything else (a picture loaded elsewhere) is
// converted on the slow path rather than misread.
const QImage& as32Bit(const QImage& image, QImage& holder)
{
    if (is32Bit(image)) return image;
    holder = image.convertToFormat(QImage::Format_RGB32);
    return holder;
}

// A w x h rectangle of the destination at (dx, dy) and of the source at
// (sx, sy), cut to what lies inside both images. False when nothing is left.
struct Span {
    int dx, dy, sx, sy, w, h;
};

bool clip(Span& s, QSize destination, QSize source)
{
    if (s.sx < 0) { s.dx -= s.sx; s.w += s.sx; s.sx = 0; }
    if (s.sy < 0) { s.dy -= s.sy; s.h += s.sy; s.sy = 0; }
    if (s.dx < 0) { s.sx -= s.dx; s.w += s.dx; s.dx = 0; }
    if (s.dy < 0) { s.sy -= s.dy; s.h += s.dy; s.dy = 0; }
    s.w = std::min({s.w, source.width() - s.sx, destination.width() - s.dx});
    s.h = std::min({s.h, source.height() - s.sy, destination.height() - s.dy});
    return s.w > 0 && s.h > 0;
}

// Combines the w x h top-left rectangle of `source` into `destination` at
// (0, 0), pixel by pixel, with `op`; alpha stays as the surfaces keep it.
template <typename Op>
void combineTopLeft(QImage& destination, const QImage& source, int w, int h, Op op)
{
    QImage holder;
    const QImage& src = as32Bit(source, holder);
    Span s{0, 0, 0, 0, w, h};
    if (destination.isNull() || src.isNull() || !clip(s, destination.size(), src.size())) return;
    for (int row = 0; row < s.h; ++row) {
        auto* d = reinterpret_cast<quint32*>(destination.scanLine(row));
        const auto* p = reinterpret_cast<const quint32*>(src.constScanLine(row));
        for (int col = 0; col < s.w; ++col) d[col] = op(d[col], p[col]);
    }
}

} // namespace

QImage CreaBuffer(const QImage& like, int16_t width, int16_t height)
{
    (void)like; // every surface is RGB32, so a buffer compatible with one is RGB32 too
    if (width <= 0 || height <= 0) return {};
    QImage buffer(width, height, QImage::Format_RGB32);
    buffer.fill(Qt::black);
    return buffer;
}

void LiberaBuffer(QImage& buffer)
{
    buffer = QImage();
}

void CopyRect(QImage& destination, int dx, int dy, int w, int h,
              const QImage& source, int sx, int sy)
{
    if (destination.isNull() || source.isNull()) return;
    Span s{dx, dy, sx, sy, w, h};
    if (!clip(s, destination.size(), source.size())) return;

    if (!is32Bit(destination) || !is32Bit(source)) {
        QPainter painter(&destination);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPoint(s.dx, s.dy), source, QRect(s.sx, s.sy, s.w, s.h));
        return;
    }

    // Detach the destination first: if it shared pixels with the source,
    // the source keeps the old ones and is read from there.
    uchar* dstBits = destination.bits();
    const qsizetype dstStride = destination.bytesPerLine();
    const uchar* srcBits = source.constBits();
    const qsizetype srcStride = source.bytesPerLine();
    const size_t rowBytes = static_cast<size_t>(s.w) * 4;

    // Within one image, a copy downwards must run from the bottom row up.
    const bool bottomUp = (dstBits == srcBits) && s.dy > s.sy;
    for (int i = 0; i < s.h; ++i) {
        const int row = bottomUp ? s.h - 1 - i : i;
        std::memmove(dstBits + (s.dy + row) * dstStride + qsizetype{s.dx} * 4,
                     srcBits + (s.sy + row) * srcStride + qsizetype{s.sx} * 4, rowBytes);
    }
}

void DibujaTransparente(QImage& destination, const QImage& sprite, const QImage& mask,
                        QImage& scratch, int x, int y, int w, int h)
{
    if (destination.isNull() || w <= 0 || h <= 0) return;
    if (scratch.width() < w || scratch.height() < h || !is32Bit(scratch)) {
        scratch = QImage(std::max(w, scratch.width()), std::max(h, scratch.height()),
                         QImage::Format_RGB32);
        scratch.fill(Qt::black);
    }
    CopyRect(scratch, 0, 0, w, h, destination, x, y);
    combineTopLeft(scratch, mask, w, h, [](quint32 d, quint32 m) { return d & m; });
    combineTopLeft(scratch, sprite, w, h, [](quint32 d, quint32 p) { return d | p; });
    CopyRect(destination, x, y, w, h, scratch, 0, 0);
}

} // namespace quibix
