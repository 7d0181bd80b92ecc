#include "ui/StageLayout.h"

#include <algorithm>
#include <cmath>

namespace quibix {

int largestScale(QSize area, QSize content)
{
    for (int k = kMaxStageScale; k > 1; --k) {
        if (content.width() * k <= area.width() && content.height() * k <= area.height())
            return k;
    }
    return 1;
}

StageLayout layoutStage(QSize area)
{
    StageLayout layout;
    const int k = layout.scale = largestScale(area);
    const QPoint origin((area.width() - kStageSize.width() * k) / 2,
                        (area.height() - kStageSize.height() * k) / 2);
    layout.field = QRect(origin, kFieldSize * k);
    layout.band = QRect(origin + QPoint(kFieldSize.width() * k, 0),
                        QSize(kStageSize.width() - kFieldSize.width(), kFieldSize.height()) * k);
    return layout;
}

QPoint fieldPixel(QPointF position, int scale)
{
    return {static_cast<int>(std::floor(position.x() / scale)),
            static_cast<int>(std::floor(position.y() / scale))};
}

QPoint clampToField(QPoint pixel)
{
    return {std::clamp(pixel.x(), 0, kFieldSize.width() - 1),
            std::clamp(pixel.y(), 0, kFieldSize.height() - 1)};
}

QPoint positionOfPixel(QPoint pixel, int scale)
{
    return pixel * scale + QPoint(scale / 2, scale / 2);
}

} // namespace quibix
