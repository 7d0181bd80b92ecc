#pragma once
// The cannon: an arrow round the pivot, pointing along the aim angle.
#include "render/Canvas.h"

#include <cstdint>

namespace quibix {

// Draws the cannon at `grados` (1..179) on Picture1 over the resting
// picture and presents it. Other angles draw nothing.
void drawCannon(Canvas& canvas, int16_t grados);

} // namespace quibix
