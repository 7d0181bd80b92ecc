#pragma once
// The sprites compiled into the program, with their masks.
#include <QImage>

#include <array>

namespace quibix {

constexpr int kPiecePictures = 12; // the piece chooser offers twelve
constexpr int kFuseFrames = 7;

struct SpriteCatalogue {
    std::array<QImage, kPiecePictures> pieces;      // 25 x 25
    std::array<QImage, kPiecePictures> pieceMasks;
    QImage stone, stoneMask;                        // 25 x 25
    std::array<QImage, kFuseFrames> tnt, tntMasks;  // 90 x 83
    QImage dynamite, dynamiteExploding, dynamiteMask; // 90 x 100
    QImage bricks;                                  // 469 x 25

    // Loads every sprite from the resource. A sprite that cannot be loaded
    // is replaced by a loud stand-in of the right size (magenta and black
    // checks, opaque mask), so a broken build is seen, never a crash.
    static SpriteCatalogue fromResource();
};

// The stand-in for a sprite that could not be loaded.
QImage standInSprite(int width, int height);
QImage standInMask(int width, int height);

// The sprite at `path` (a resource or a file) as RGB32, or the stand-in
// (standInMask when `isMask`) when it is missing or not width x height.
QImage loadSpriteOrStandIn(const QString& path, int width, int height, bool isMask);

} // namespace quibix
