#pragma once
// The cannon: an arrow round the pivot, pointing along the aim angle.
#include "render/Canvas.h"

#include <QRect>

#include <cstdint>

namespace quibix {

// The rectangle that holds every cannon the angles 1..179 can produce: each
// drawing first puts it back to the resting picture.
constexpr QRect kCannonArea(127, 320, 190, 136);

// Draws the cannon at `grados` (1..179) on Picture1 over the resting
// picture and presents it. Other angles draw nothing.
void drawCannon(Canvas& canvas, int16_t grados);

} // namespace quibix
