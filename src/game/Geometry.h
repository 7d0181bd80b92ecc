#pragma once
// Where things are on the 442 x 460 play field, in pixels, y growing down.
#include <cstdint>

namespace quibix {

constexpr int kFieldWidth = 442;
constexpr int kFieldHeight = 460;
constexpr int kBandWidth = 98;
constexpr int kBandHeight = 460;

// Every piece sprite is a 25 x 25 square; odd rows sit half a piece right.
constexpr int kSpriteSize = 25;
constexpr int kHalfSprite = 12;

// The shot starts from the cannon's pivot; the cannon is drawn round the
// pixel left of it.
constexpr int kCannonPivotX = 221;
constexpr int kCannonPivotY = 420;

// The two fixed piece slots: the loaded piece on the cannon, the next piece
// in the field's bottom-right corner.
constexpr int16_t kLoadedPieceX = 209, kLoadedPieceY = 408;
constexpr int16_t kNextPieceX = 398, kNextPieceY = 416;

// The bottom rows that hold the cannon: flying and falling pieces are
// erased there from a copy taken at the shot, so the cannon stays.
constexpr int kBottomStripHeight = 152;
constexpr int kBottomStripTop = kFieldHeight - kBottomStripHeight; // 308

// The cannon turns between these angles, in whole degrees; 90 is straight up.
constexpr int16_t kMinAngle = 2;
constexpr int16_t kMaxAngle = 178;

// The mouse's way of aiming: the pointer at play-field x turns the cannon
// to N(180 - (x - 90)), kept within the angles above.
int16_t angleForMouseX(float x);

struct PixelPoint {
    int16_t x = 0;
    int16_t y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// The top-left pixel of cell (col, row)'s sprite below `ladrillos` brick rows.
constexpr PixelPoint cellOrigin(int col, int row, int ladrillos)
{
    return {static_cast<int16_t>(kSpriteSize * col + (row % 2 != 0 ? kHalfSprite : 0)),
            static_cast<int16_t>(kSpriteSize * (ladrillos + row))};
}

} // namespace quibix
