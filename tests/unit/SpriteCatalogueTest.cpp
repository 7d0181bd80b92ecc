#include "render/SpriteCatalogue.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quibix {
namespace {

bool isStandIn(const QImage& image)
{
    return image == standInSprite(image.width(), image.height());
}

// Each sprite is loaded (not the stand-in) at its size, and its mask is
// two-tone with the sprite black wherever the mask is white: otherwise the
// OR step would tint the background around the piece.
TEST(SpriteCatalogue, ResourceSpritesLoadAtTheirSizesWithUsableMasks)
{
    const SpriteCatalogue c = SpriteCatalogue::fromResource();
    auto check = [](const QImage& sprite, const QImage& mask, QSize size, const char* what) {
        ASSERT_EQ(sprite.size(), size) << what;
        ASSERT_EQ(mask.size(), size) << what;
        EXPECT_FALSE(isStandIn(sprite)) << what;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const QRgb m = mask.pixel(x, y) & 0xFFFFFF;
                ASSERT_TRUE(m == 0xFFFFFF || m == 0) << what << " mask grey at " << x << "," << y;
                if (m == 0xFFFFFF) {
                    ASSERT_EQ(sprite.pixel(x, y) & 0xFFFFFF, 0u) << what << " at " << x << "," << y;
                }
            }
    };
    for (int i = 0; i < kPiecePictures; ++i) check(c.pieces[i], c.pieceMasks[i], {25, 25}, "piece");
    check(c.stone, c.stoneMask, {25, 25}, "stone");
    for (int i = 0; i < kFuseFrames; ++i) check(c.tnt[i], c.tntMasks[i], {90, 83}, "tnt");
    check(c.dynamite, c.dynamiteMask, {90, 100}, "dynamite");
    check(c.dynamiteExploding, c.dynamiteMask, {90, 100}, "exploding dynamite");
    EXPECT_EQ(c.bricks.size(), QSize(469, 25));
    for (int i = 0; i < kPiecePictures; ++i)
        for (int j = i + 1; j < kPiecePictures; ++j) EXPECT_NE(c.pieces[i], c.pieces[j]) << i << "," << j;
}

TEST(SpriteCatalogue, MissingDamagedOrWrongSizedSpriteBecomesAVisibleStandIn)
{
    EXPECT_TRUE(isStandIn(loadSpriteOrStandIn(":/sprites/no_such.png", 25, 25, false)));
    const QImage mask = loadSpriteOrStandIn("/nonexistent/mask.png", 90, 83, true);
    EXPECT_EQ(mask.size(), QSize(90, 83));
    EXPECT_EQ(mask.pixel(45, 40), qRgb(0, 0, 0)); // opaque: the stand-in shows whole

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage small(10, 10, QImage::Format_ARGB32);
    small.fill(Qt::green);
    const QString smallPath = QDir(dir.path()).filePath("small.png");
    ASSERT_TRUE(small.save(smallPath));
    EXPECT_TRUE(isStandIn(loadSpriteOrStandIn(smallPath, 25, 25, false)));
    const QImage fitting = loadSpriteOrStandIn(smallPath, 10, 10, false);
    EXPECT_EQ(fitting.format(), QImage::Format_RGB32);
    EXPECT_EQ(fitting.pixel(3, 3), qRgb(0, 255, 0));

    QFile junk(QDir(dir.path()).filePath("junk.png"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();
    EXPECT_TRUE(isStandIn(loadSpriteOrStandIn(junk.fileName(), 25, 25, false)));
}

} // namespace
} // namespace quibix
