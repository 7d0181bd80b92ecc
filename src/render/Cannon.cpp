#include "render/Cannon.h"

#include "game/Numbers.h"

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <cmath>

namespace quibix {

namespace {

// The arrow turns round the pixel left of the shot's start.
constexpr float kPivotX = static_cast<float>(kCannonPivotX - 1);
constexpr float kPivotY = static_cast<float>(kCannonPivotY);
constexpr float kRadiansPerDegree = 0.017453292f;

struct PolarPoint {
    int16_t offset;   // degrees from the cannon's axis
    int16_t distance; // pixels from the pivot
};

// An arrow: shaft, barbs at 75 px, tip at 93 px.
constexpr PolarPoint kOuter[7] = {{-20, 33}, {-5, 75}, {-15, 75}, {0, 93},
                                  {15, 75}, {5, 75}, {20, 33}};
constexpr PolarPoint kInner[7] = {{-10, 37}, {-2, 78}, {-7, 78}, {0, 87},
                                  {7, 78}, {2, 78}, {10, 37}};

QPolygon polygonAt(int16_t grados, const PolarPoint (&points)[7])
{
    QPolygon polygon;
    for (const PolarPoint& p : points) {
        const float phi = static_cast<float>(grados + p.offset) * kRadiansPerDegree;
        const float dx = static_cast<float>(p.distance) * std::cos(phi);
        const float dy = static_cast<float>(p.distance) * std::sin(phi);
        polygon << QPoint(N(kPivotX + dx), N(kPivotY - dy));
    }
    return polygon;
}

} // namespace

void drawCannon(Canvas& canvas, int16_t grados)
{
    if (grados >= 180 || grados <= 0)
        return;

    const QPolygon outer = polygonAt(grados, kOuter);
    const QPolygon inner = polygonAt(grados, kInner);

    canvas.redrawOverField(kCannonArea, [&](QPainter& painter) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(103, 153, 121));
        painter.drawPolygon(outer, Qt::WindingFill);
        painter.setBrush(QColor(79, 118, 93));
        painter.drawPolygon(inner, Qt::WindingFill);

        // Dark base and right-hand flank, light left-hand flank (pointing up).
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0, 0, 0), 1));
        painter.drawLine(outer[6], outer[0]);
        painter.drawLine(outer[0], outer[1]);
        painter.drawLine(outer[1], outer[2]);
        painter.drawLine(outer[2], outer[3]);
        painter.setPen(QPen(QColor(240, 240, 240), 1));
        painter.drawLine(outer[3], outer[4]);
        painter.drawLine(outer[4], outer[5]);
        painter.drawLine(outer[5], outer[6]);
    });
}

} // namespace quibix
