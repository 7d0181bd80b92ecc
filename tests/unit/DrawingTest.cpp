// The buffer primitives and the drawing of the play field and band.
#include "render/Canvas.h"

#include "fakes/FakePorts.h"
#include "render/Module1.h"

#include <gtest/gtest.h>

#include <utility>

namespace quibix {
namespace {

using testing::EventLog;
using testing::FakeWindow;

constexpr QRgb kRed = 0xFFFF0000, kBlack = 0xFF000000, kGrey = 0xFF090909;

// Every pixel its own colour, so a misplaced copy shows.
QImage numberedImage(int w, int h, int salt)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb((x * 3 + salt) & 255, (y * 7 + salt) & 255, (x ^ y) & 255));
    return image;
}

QImage filled(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A sprite and its mask: the left `clear` columns transparent (mask white,
// sprite black), the rest opaque `colour`.
std::pair<QImage, QImage> halfSprite(QSize size, int clear, QRgb colour)
{
    QImage sprite = filled(size.width(), size.height(), kBlack);
    QImage mask = filled(size.width(), size.height(), 0xFFFFFFFF);
    for (int y = 0; y < size.height(); ++y)
        for (int x = clear; x < size.width(); ++x) {
            sprite.setPixel(x, y, colour);
            mask.setPixel(x, y, kBlack);
        }
    return {sprite, mask};
}

QImage square(const QImage& image, int x, int y) { return image.copy(x, y, 25, 25); }

TEST(CopyRect, CopiesTheRectangleClippedToBothImages)
{
    const QImage source = numberedImage(20, 16, 0);
    struct Case { int dx, dy, w, h, sx, sy; };
    for (const Case c : {Case{5, 4, 6, 3, 2, 1}, Case{-3, -2, 10, 10, 5, 5}, Case{2, 2, 6, 6, -4, -1},
                         Case{15, 10, 100, 100, 17, 12}, Case{500, 0, 5, 5, 0, 0},
                         Case{0, 0, 5, 5, 0, 500}, Case{0, 0, -5, 5, 0, 0}}) {
        QImage dest = filled(18, 14, kGrey);
        CopyRect(dest, c.dx, c.dy, c.w, c.h, source, c.sx, c.sy);
        for (int y = 0; y < dest.height(); ++y)
            for (int x = 0; x < dest.width(); ++x) {
                const int sx = x - c.dx + c.sx, sy = y - c.dy + c.sy;
                const bool copied = x >= c.dx && x < c.dx + c.w && y >= c.dy && y < c.dy + c.h &&
                                    source.rect().contains(sx, sy);
                ASSERT_EQ(dest.pixel(x, y), copied ? source.pixel(sx, sy) : kGrey)
                    << "case (" << c.dx << "," << c.dy << ") pixel " << x << "," << y;
            }
    }

    // Overlapping within one image; an image sharing the pixels keeps them.
    QImage image = numberedImage(10, 10, 0);
    const QImage before = image.copy();
    const QImage shown = image;
    CopyRect(image, 1, 2, 8, 8, image, 0, 0);
    EXPECT_EQ(image.copy(1, 2, 8, 8), before.copy(0, 0, 8, 8));
    EXPECT_EQ(shown, before);
}

TEST(DibujaTransparente, OpaquePixelsTakeTheSpriteTheRestKeepTheDestinationAtEveryEdge)
{
    const auto [sprite, mask] = halfSprite({6, 4}, 3, kRed);
    const QImage background = numberedImage(20, 20, 0);
    QImage scratch = CreaBuffer(background, 2, 2); // too small: it must grow
    for (const QPoint at : {QPoint(5, 7), QPoint(16, 18), QPoint(-4, -1)}) {
        QImage dest = background.copy();
        DibujaTransparente(dest, sprite, mask, scratch, at.x(), at.y(), 6, 4);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                const bool opaque = x >= at.x() + 3 && x < at.x() + 6 && y >= at.y() && y < at.y() + 4;
                ASSERT_EQ(dest.pixel(x, y), opaque ? kRed : background.pixel(x, y))
                    << "at " << at.x() << "," << at.y() << " pixel " << x << "," << y;
            }
    }
}

// A canvas as a screen in play keeps it: Picture1 = Picture2 = Picture3.
struct CanvasTest : ::testing::Test {
    EventLog log;
    FakeWindow window{log};
    Canvas canvas{window};

    void SetUp() override
    {
        canvas.Picture3 = numberedImage(kFieldWidth, kFieldHeight, 0);
        canvas.Picture2 = canvas.Picture3.copy();
        canvas.Picture1 = canvas.Picture3.copy();
        canvas.PicBandaBuff = numberedImage(kBandWidth, kBandHeight, 40);
        canvas.PicBanda = canvas.PicBandaBuff.copy();
        canvas.CreaBuffers();
    }
};

// Erased from Picture2 above the bottom strip, from its saved background
// from the strip's first line down.
TEST_F(CanvasTest, FlyingSpriteIsShownThenErasedFromTheRightSourceAtTheBottomStripLine)
{
    canvas.Picture2 = filled(kFieldWidth, kFieldHeight, qRgb(0, 0, 200));
    canvas.hdcFondoBajo = numberedImage(kFieldWidth, kBottomStripHeight, 99);
    const QImage picture2 = canvas.Picture2.copy();
    for (int y : {100, 307, 308, 420}) {
        const QImage before = square(canvas.Picture1, 200, y);
        canvas.DibujaIcono(200, static_cast<int16_t>(y), 0, true, 17);
        EXPECT_NE(square(window.shownPicture1, 200, y), before) << "not shown at " << y;
        EXPECT_EQ(square(canvas.Picture1, 200, y),
                  y < 308 ? square(picture2, 200, y) : square(canvas.hdcFondoBajo, 200, y - kBottomStripTop))
            << "not erased at " << y;
    }
    EXPECT_EQ(canvas.Picture2, picture2);
    EXPECT_EQ(window.presentsPicture1, 4);
    EXPECT_EQ(window.pausedMs, 4 * 17);
    canvas.DibujaIcono(430, 450, 3, true, 0); // clipped at the field's corner
    EXPECT_EQ(canvas.Picture1.copy(430, 450, 12, 10), canvas.hdcFondoBajo.copy(430, 142, 12, 10));
}

TEST_F(CanvasTest, NegativePositionsDoNothingAtAll)
{
    const QImage p1 = canvas.Picture1.copy(), p2 = canvas.Picture2.copy();
    canvas.DibujaIcono(-12, 100, 0, false, 30);
    canvas.DibujaIcono(100, -1, 0, true, 30);
    canvas.MataIcono(5, -1);
    canvas.MataIcono(-25, 5);
    canvas.DibujaIcono(100, 100, 7, false, 30); // no such sprite either
    EXPECT_EQ(canvas.Picture1, p1);
    EXPECT_EQ(canvas.Picture2, p2);
    EXPECT_EQ(window.pausedMs, 0);
    EXPECT_EQ(window.presentsPicture1, 0);
}

TEST_F(CanvasTest, MataIconoClearsTheCellAndShowsThreeNestedOutlinesIn50Ms)
{
    canvas.DibujaIcono(100, 50, 2, false, 0);
    window.logPresents = window.logPauses = true;
    canvas.MataIcono(100, 50);

    const QImage clean = square(canvas.Picture3, 100, 50);
    EXPECT_EQ(square(canvas.Picture2, 100, 50), clean);
    EXPECT_EQ(square(canvas.Picture1, 100, 50), clean);
    EXPECT_EQ(log.events, (std::vector<std::string>{"present Picture1", "pause 15", "present Picture1",
                                                     "pause 10", "present Picture1", "pause 5", "pause 20"}));
    // The last frame shown: 1-pixel black outlines (x+2)..(x+23),
    // (x+6)..(x+19), (x+10)..(x+15), the clean background between them.
    const QImage shown = square(window.shownPicture1, 100, 50);
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 25; ++x) {
            bool onOutline = false;
            for (int inset : {2, 6, 10}) {
                const int far = 25 - inset;
                const bool inside = x >= inset && x <= far && y >= inset && y <= far;
                onOutline |= inside && (x == inset || x == far || y == inset || y == far);
            }
            ASSERT_EQ(shown.pixel(x, y), onOutline ? kBlack : clean.pixel(x, y)) << x << "," << y;
        }
}

// Which rows are wiped and where pieces land is the golden games' to watch;
// here the margin and the board left from before.
TEST_F(CanvasTest, FullRedrawLaysBricksOverAFreshBackgroundAndSkipsTheMargin)
{
    std::tie(canvas.picIcono[0], canvas.picIconoMK[0]) = halfSprite({25, 25}, 10, kRed);
    canvas.Picture2 = filled(kFieldWidth, kFieldHeight, qRgb(1, 2, 3)); // the old board
    Tablero board;
    board(16, 1).Tipo = 1;
    board(17, 5).Tipo = 1; // margin column and row: never drawn
    board(3, 15).Tipo = 1;
    canvas.DibujaArray(board, 1, true);

    EXPECT_EQ(canvas.Picture2.copy(0, 0, kFieldWidth, 25), canvas.ladrillo.copy(0, 0, kFieldWidth, 25));
    EXPECT_EQ(canvas.Picture2.pixel(422, 74), kRed);
    const QRect below(0, 75, kFieldWidth, kFieldHeight - 75);
    EXPECT_EQ(canvas.Picture2.copy(below), canvas.Picture3.copy(below));
}

TEST_F(CanvasTest, FuseAndDynamiteDrawOnTheBandOneRowShortWithoutPresenting)
{
    const auto [frame, mask] = halfSprite({90, 83}, 45, kRed);
    canvas.picTnt.fill(frame);
    canvas.picTntMK.fill(mask);
    canvas.PicBanda = filled(kBandWidth, kBandHeight, kGrey); // an older frame
    canvas.drawFuse(99); // clamped to the last frame
    const QImage& band = canvas.PicBanda;
    EXPECT_EQ(band.copy(0, 85, 45, 82), canvas.PicBandaBuff.copy(0, 85, 45, 82));
    EXPECT_EQ(band.copy(45, 85, 45, 82), filled(45, 82, kRed));
    for (QPoint p : {QPoint(50, 84), QPoint(50, 167), QPoint(90, 100)}) EXPECT_EQ(band.pixel(p), kGrey);

    canvas.PicBanda = canvas.PicBandaBuff.copy();
    canvas.drawDynamite(false);
    const QImage intact = canvas.PicBanda.copy();
    canvas.drawDynamite(true);
    EXPECT_EQ(band.copy(0, 264, 98, 196), canvas.PicBandaBuff.copy(0, 264, 98, 196));
    EXPECT_NE(band.copy(0, 165, 90, 99), intact.copy(0, 165, 90, 99));
    EXPECT_EQ(window.presentsBand, 0);
}

} // namespace
} // namespace quibix
