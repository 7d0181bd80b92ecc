#pragma once
// Where the game's picture goes in a window of any size: the play field and
// the band side by side (the title screen over the field), enlarged by the
// largest whole number that fits, so every field pixel is a square of equal
// screen pixels, and centred on a dark border.
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

namespace quibix {

constexpr int kMaxStageScale = 4;
// The game's own picture: the field and the band, with the black row below.
inline constexpr QSize kStageSize(540, 461);
inline constexpr QSize kFieldSize(442, 460);

// The largest whole scale from 1 to kMaxStageScale at which `content` fits
// into `area`; 1 when not even that fits.
int largestScale(QSize area, QSize content = kStageSize);

struct StageLayout {
    int scale = 1;
    QRect field; // the play field and the title screen
    QRect band;
};

// The picture at the largest scale that fits `area`, centred in it.
StageLayout layoutStage(QSize area);

// The field pixel under a position in the field's widget at `scale`. A
// position belongs to the pixel whose square it lies in, so aiming is the
// same at every scale.
QPoint fieldPixel(QPointF position, int scale);
// The field pixel nearest to `pixel` (positions outside the field).
QPoint clampToField(QPoint pixel);
// A position that lies in `pixel`'s square at `scale` (its middle).
QPoint positionOfPixel(QPoint pixel, int scale);

} // namespace quibix
