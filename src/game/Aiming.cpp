// Aiming: the mouse turns the cannon, Escape frees or hides the cursor.
#include "game/Form1.h"

#include "game/Numbers.h"
#include "render/Module1.h"

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <cmath>

namespace quibix {

namespace {

constexpr int16_t kMinAngle = 2, kMaxAngle = 178;
constexpr float kPivotX = 220.0f, kPivotY = 420.0f;
constexpr float kRadiansPerDegree = 0.017453292f;
constexpr int kEscape = 27;

// The rectangle that holds every cannon the angles 1..179 can produce.
constexpr int kEraseX = 127, kEraseY = 320, kEraseWidth = 190, kEraseHeight = 136;

struct PolarPoint {
    int16_t offset; // degrees from the cannon's axis
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

void Form1::Picture1_MouseMove(float x, float /*y*/)
{
    if (blnDisparo != kFalse)
        return;
    int32_t a = N(180.0f - (x - 90.0f));
    if (a > kMaxAngle)
        a = kMaxAngle;
    if (a < kMinAngle)
        a = kMinAngle;
    intGrados = static_cast<int16_t>(a);
    PintaCañon(intGrados);
}

void Form1::PintaCañon(int16_t grados)
{
    if (grados >= 180 || grados <= 0) {
        // Put the angle back on the side it points to.
        intGrados = std::cos(static_cast<float>(grados) * kRadiansPerDegree) > 0.0f ? 5 : 175;
        return;
    }

    const QPolygon outer = polygonAt(grados, kOuter);
    const QPolygon inner = polygonAt(grados, kInner);

    QImage& field = canvas.Picture1;
    CopyRect(field, kEraseX, kEraseY, kEraseWidth, kEraseHeight, canvas.Picture2, kEraseX, kEraseY);

    QPainter painter(&field);
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
    painter.end();

    canvas.present(Surface::Picture1);
}

void Form1::Form_KeyPress(int keyAscii)
{
    // Only a game confines and hides the pointer; on the title screen the
    // player must always reach the buttons and the menu bar.
    if (keyAscii != kEscape || !gameRunning)
        return;
    if (blnCursor != kFalse) {
        lngRet = ShowCursorQuibix(0);
        blnCursor = kFalse;
    } else {
        lngRet = ShowCursorQuibix(1);
        blnCursor = kTrue;
    }
}

int32_t Form1::ShowCursorQuibix(int16_t c)
{
    lngRet = window.showCursor(c != 0);
    window.confineCursor(c == 0);
    return lngRet;
}

} // namespace quibix
