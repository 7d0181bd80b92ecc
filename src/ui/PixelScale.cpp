#include "ui/PixelScale.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace quibix {

QRect changedRect(const QImage& before, const QImage& after)
{
    if (before.size() != after.size() || before.format() != after.format() || after.depth() != 32)
        return after.rect();
    if (before.constBits() == after.constBits())
        return {};
    const int width = after.width();
    int top = -1, bottom = -1, left = width, right = -1;
    for (int y = 0; y < after.height(); ++y) {
        const auto* a = reinterpret_cast<const uint32_t*>(before.constScanLine(y));
        const auto* b = reinterpret_cast<const uint32_t*>(after.constScanLine(y));
        if (std::memcmp(a, b, sizeof(uint32_t) * static_cast<std::size_t>(width)) == 0)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        int x0 = 0;
        while (a[x0] == b[x0])
            ++x0;
        int x1 = width - 1;
        while (a[x1] == b[x1])
            --x1;
        left = std::min(left, x0);
        right = std::max(right, x1);
    }
    if (top < 0)
        return {};
    return {QPoint(left, top), QPoint(right, bottom)};
}

void enlargeInto(QImage& target, const QImage& source, QRect part, int scale)
{
    part &= source.rect();
    if (part.isEmpty() || source.depth() != 32 || target.size() != source.size() * scale)
        return;
    const auto bytes = static_cast<std::size_t>(part.width() * scale) * sizeof(uint32_t);
    for (int y = part.top(); y <= part.bottom(); ++y) {
        const auto* from = reinterpret_cast<const uint32_t*>(source.constScanLine(y)) + part.left();
        const std::ptrdiff_t left = static_cast<std::ptrdiff_t>(part.left()) * scale;
        auto* first = reinterpret_cast<uint32_t*>(target.scanLine(y * scale)) + left;
        uint32_t* to = first;
        for (int x = 0; x < part.width(); ++x) {
            std::fill_n(to, scale, from[x]);
            to += scale;
        }
        // The other rows of the squares are the same row again.
        for (int r = 1; r < scale; ++r)
            std::memcpy(reinterpret_cast<uint32_t*>(target.scanLine(y * scale + r)) + left, first, bytes);
    }
}

} // namespace quibix
