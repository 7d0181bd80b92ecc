#include "render/Module1.h"

#include <gtest/gtest.h>

namespace quibix {
namespace {

// Every pixel its own colour, so a misplaced copy shows.
QImage numberedImage(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x * 7 & 255, y * 5 & 255, (x + y) & 255));
    return image;
}

QImage filled(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

TEST(CopyRect, CopiesTheRectangleClippedToBothImages)
{
    const QImage source = numberedImage(20, 16);
    struct Case { int dx, dy, w, h, sx, sy; };
    for (const Case c : {Case{5, 4, 6, 3, 2, 1}, Case{-3, -2, 10, 10, 5, 5}, Case{2, 2, 6, 6, -4, -1},
                         Case{15, 10, 100, 100, 17, 12}, Case{500, 0, 5, 5, 0, 0},
                         Case{0, 0, 5, 5, 0, 500}, Case{0, 0, -5, 5, 0, 0}}) {
        QImage dest = filled(18, 14, qRgb(9, 9, 9));
        CopyRect(dest, c.dx, c.dy, c.w, c.h, source, c.sx, c.sy);
        for (int y = 0; y < dest.height(); ++y)
            for (int x = 0; x < dest.width(); ++x) {
                const int sx = x - c.dx + c.sx, sy = y - c.dy + c.sy;
                const bool copied = x >= c.dx && x < c.dx + c.w && y >= c.dy && y < c.dy + c.h &&
                                    source.rect().contains(sx, sy);
                ASSERT_EQ(dest.pixel(x, y), copied ? source.pixel(sx, sy) : qRgb(9, 9, 9))
                    << "case (" << c.dx << "," << c.dy << ") pixel " << x << "," << y;
            }
    }
}

TEST(CopyRect, OverlapsWithinOneImageAndSharedPixelsStayCorrect)
{
    QImage image = numberedImage(10, 10);
    const QImage before = image.copy();
    const QImage shown = image; // e.g. what the window holds after a present
    CopyRect(image, 1, 2, 8, 8, image, 0, 0);
    EXPECT_EQ(image.copy(1, 2, 8, 8), before.copy(0, 0, 8, 8));
    EXPECT_EQ(shown, before);
}

// 6 x 4 sprite: left half transparent (mask white, sprite black), right
// half opaque red.
struct TestSprite {
    QImage sprite = filled(6, 4, qRgb(0, 0, 0));
    QImage mask = filled(6, 4, qRgb(255, 255, 255));
    TestSprite()
    {
        for (int y = 0; y < 4; ++y)
            for (int x = 3; x < 6; ++x) {
                sprite.setPixel(x, y, qRgb(255, 0, 0));
                mask.setPixel(x, y, qRgb(0, 0, 0));
            }
    }
};

TEST(DibujaTransparente, OpaquePixelsTakeTheSpriteTransparentOnesKeepTheDestination)
{
    const TestSprite s;
    const QImage background = numberedImage(20, 20);
    QImage dest = background.copy();
    QImage scratch = CreaBuffer(dest, 6, 4);
    DibujaTransparente(dest, s.sprite, s.mask, scratch, 5, 7, 6, 4);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool opaque = x >= 8 && x < 11 && y >= 7 && y < 11;
            ASSERT_EQ(dest.pixel(x, y), opaque ? qRgb(255, 0, 0) : background.pixel(x, y)) << x << "," << y;
        }
    // Composed in the scratch buffer, then copied whole.
    EXPECT_EQ(scratch.pixel(0, 0), background.pixel(5, 7));
    EXPECT_EQ(scratch.pixel(5, 3), qRgb(255, 0, 0));
}

TEST(DibujaTransparente, ClipsAtTheEdgesAndGrowsAScratchTooSmall)
{
    const TestSprite s;
    const QImage background = numberedImage(10, 10);
    QImage scratch = CreaBuffer(background, 2, 2);
    QImage dest = background.copy();
    DibujaTransparente(dest, s.sprite, s.mask, scratch, 6, 8, 6, 4);
    EXPECT_GE(scratch.width(), 6);
    EXPECT_GE(scratch.height(), 4);
    EXPECT_EQ(dest.pixel(6, 8), background.pixel(6, 8));
    EXPECT_EQ(dest.pixel(9, 9), qRgb(255, 0, 0));
    EXPECT_EQ(dest.pixel(9, 7), background.pixel(9, 7));

    dest = background.copy();
    DibujaTransparente(dest, s.sprite, s.mask, scratch, -4, -1, 6, 4);
    EXPECT_EQ(dest.pixel(0, 0), qRgb(255, 0, 0)); // sprite column 4, row 1
    EXPECT_EQ(dest.pixel(1, 2), qRgb(255, 0, 0));
    EXPECT_EQ(dest.pixel(2, 0), background.pixel(2, 0));
    EXPECT_EQ(dest.pixel(0, 3), background.pixel(0, 3));
}

} // namespace
} // namespace quibix
