// Loading pictures and sprites, with stand-ins for what cannot be loaded;
// the buffer primitives and the drawing of the play field, cannon and band.
#include "render/Canvas.h"

#include "fakes/FakePorts.h"
#include "render/Cannon.h"
#include "render/Module1.h"
#include "render/Pictures.h"
#include "render/SpriteCatalogue.h"
#include "render/TextFit.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>

namespace quibix {
namespace {

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
    QImage sprite = filled(size.width(), size.height(), kBlack), mask = filled(size.width(), size.height(), 0xFFFFFFFF);
    const QRect opaque(clear, 0, size.width() - clear, size.height());
    QPainter(&sprite).fillRect(opaque, QColor(colour));
    QPainter(&mask).fillRect(opaque, Qt::black);
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

// The program's sprites, but kind 0, the fuse frames and the dynamite made
// flat, so a test can tell every pixel they leave: kind 0 and the fuse's
// later frames red on their right (the left transparent), the fuse's first
// frame and the intact dynamite opaque grey, the exploding one opaque red.
SpriteCatalogue flatSprites()
{
    SpriteCatalogue c = SpriteCatalogue::fromResource();
    std::tie(c.pieces[0], c.pieceMasks[0]) = halfSprite({25, 25}, 10, kRed);
    std::tie(c.tnt[0], c.tntMasks[0]) = halfSprite({90, 83}, 0, kGrey);
    for (int i = 1; i < kFuseFrames; ++i)
        std::tie(c.tnt[i], c.tntMasks[i]) = halfSprite({90, 83}, 45, kRed);
    std::tie(c.dynamite, c.dynamiteMask) = halfSprite({90, 100}, 0, kGrey);
    c.dynamiteExploding = filled(90, 100, kRed);
    return c;
}

// A canvas as a screen in play keeps it: the field shows the resting
// picture, which is the clean background; nothing presented or paused yet.
struct CanvasTest : ::testing::Test {
    testing::EventLog log;
    testing::FakeWindow window{log};
    Canvas canvas{window, flatSprites()};

    void SetUp() override
    {
        canvas.setBackground(numberedImage(kFieldWidth, kFieldHeight, 0));
        canvas.setBand(numberedImage(kBandWidth, kBandHeight, 40));
        canvas.CreaBuffers();
        canvas.showBackground();
        window.presentsPicture1 = 0;
    }
};

// Erased from the resting picture above the bottom strip, from the strip
// saved at the shot from the strip's first line down.
TEST_F(CanvasTest, FlyingSpriteIsShownThenErasedFromTheRightSourceAtTheBottomStripLine)
{
    canvas.saveStrip(); // the numbered background
    canvas.setBackground(filled(kFieldWidth, kFieldHeight, qRgb(0, 0, 200)));
    canvas.DibujaIcono(200, 100, 2, false, 0); // at rest, not in the clean background
    window.presentsPicture1 = 0;
    const QImage picture2 = canvas.resting().copy();
    for (int y : {100, 307, 308, 420}) {
        const QImage before = square(canvas.field(), 200, y);
        canvas.DibujaIcono(200, static_cast<int16_t>(y), 0, true, 17);
        EXPECT_NE(square(window.shownPicture1, 200, y), before) << "not shown at " << y;
        EXPECT_EQ(square(canvas.field(), 200, y),
                  y < kBottomStripTop ? square(picture2, 200, y) : square(canvas.cannonStrip(), 200, y - kBottomStripTop))
            << "not erased at " << y;
    }
    EXPECT_EQ(canvas.resting(), picture2);
    EXPECT_EQ(window.presentsPicture1, 4);
    EXPECT_EQ(window.pausedMs, 4 * 17);
    canvas.DibujaIcono(430, 450, 3, true, 0); // clipped at the field's corner
    EXPECT_EQ(canvas.field().copy(430, 450, 12, 10), canvas.cannonStrip().copy(430, 142, 12, 10));
}

TEST_F(CanvasTest, PictureNumbersOutsideTheCatalogueKeepTheKindsOwnPicture)
{
    canvas.useSprites({11, 1, 2, 3, -1, 12});
    EXPECT_EQ(canvas.sprite(0), canvas.catalogue().pieces[11]);
    EXPECT_EQ(canvas.sprite(4), canvas.catalogue().pieces[4]);
    EXPECT_EQ(canvas.sprite(5), canvas.catalogue().pieces[5]);
    EXPECT_EQ(canvas.spriteMask(5), canvas.catalogue().pieceMasks[5]);
}

TEST_F(CanvasTest, NegativePositionsDoNothingAtAll)
{
    canvas.DibujaIcono(-12, 100, 0, false, 30);
    canvas.DibujaIcono(100, -1, 0, true, 30);
    canvas.MataIcono(5, -1);
    canvas.MataIcono(-25, 5);
    canvas.DibujaIcono(100, 100, 7, false, 30); // no such sprite either
    EXPECT_EQ(canvas.field(), canvas.background());
    EXPECT_EQ(canvas.resting(), canvas.background());
    EXPECT_EQ(window.pausedMs, 0);
    EXPECT_EQ(window.presentsPicture1, 0);
}

TEST_F(CanvasTest, MataIconoClearsTheCellAndShowsThreeNestedOutlines)
{
    canvas.DibujaIcono(100, 50, 2, false, 0);
    canvas.MataIcono(100, 50);

    const QImage clean = square(canvas.background(), 100, 50);
    EXPECT_EQ(square(canvas.resting(), 100, 50), clean);
    EXPECT_EQ(square(canvas.field(), 100, 50), clean);
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
    canvas.DibujaIcono(100, 200, 2, false, 0); // the old board
    Tablero board;
    board(16, 1).Tipo = 1;
    board(17, 5).Tipo = 1; // margin column and row: never drawn
    board(3, 15).Tipo = 1;
    canvas.DibujaArray(board, 1, true);

    EXPECT_EQ(canvas.resting().copy(0, 0, kFieldWidth, 25), canvas.bricks().copy(0, 0, kFieldWidth, 25));
    EXPECT_EQ(canvas.resting().pixel(422, 74), kRed);
    const QRect below(0, 75, kFieldWidth, kFieldHeight - 75);
    EXPECT_EQ(canvas.resting().copy(below), canvas.background().copy(below));
}

// A new screen is drawn whole on both pictures, not only the rows that
// hold bricks or pieces.
TEST_F(CanvasTest, ComposedScreenRenewsTheWholeFieldAndShowsEveryPieceAsDrawn)
{
    canvas.DibujaIcono(100, 200, 2, false, 0); // the screen before
    canvas.setBackground(filled(kFieldWidth, kFieldHeight, qRgb(0, 0, 200)));
    window.presentsPicture1 = 0;
    Tablero board;
    board(16, 1).Tipo = 1;
    canvas.composeScreen(board, 1, 0, 0);

    EXPECT_EQ(canvas.field(), canvas.resting());
    EXPECT_EQ(window.shownPicture1, canvas.field());
    EXPECT_EQ(window.presentsPicture1, 3); // the piece, then the two slots
    EXPECT_EQ(canvas.resting().copy(0, 0, kFieldWidth, 25), canvas.bricks().copy(0, 0, kFieldWidth, 25));
    EXPECT_EQ(canvas.field().pixel(422, 74), kRed);
    EXPECT_EQ(square(canvas.field(), 100, 200), filled(25, 25, qRgb(0, 0, 200)));
}

TEST_F(CanvasTest, FuseAndDynamiteDrawOnTheBandOneRowShortWithoutPresenting)
{
    canvas.drawDynamite(false); // grey from row 165 to 263
    canvas.drawFuse(0);         // an older frame, grey
    canvas.drawFuse(99);        // clamped to the last frame
    const QImage& band = canvas.band();
    EXPECT_EQ(band.copy(0, 85, 45, 82), canvas.cleanBand().copy(0, 85, 45, 82));
    EXPECT_EQ(band.copy(45, 85, 45, 82), filled(45, 82, kRed));
    EXPECT_EQ(band.pixel(50, 167), kGrey);
    for (QPoint p : {QPoint(50, 84), QPoint(90, 100)})
        EXPECT_EQ(band.pixel(p), canvas.cleanBand().pixel(p));

    canvas.drawDynamite(true);
    EXPECT_EQ(band.copy(0, 165, 90, 99), filled(90, 99, kRed));
    EXPECT_EQ(band.copy(0, 264, 98, 196), canvas.cleanBand().copy(0, 264, 98, 196));
    EXPECT_EQ(window.presentsBand, 0);

    // After an explosion the whole area is clean again.
    canvas.clearFuseAndDynamite();
    EXPECT_EQ(band, canvas.cleanBand());
}

// Its colours and shape are the golden games' to watch; here the angles it
// is drawn at and the rectangle its erase restores.
TEST_F(CanvasTest, CannonAnglesDrawInsideTheEraseRectangleOthersDrawNothing)
{
    const QImage& p1 = canvas.field();
    const QImage& p2 = canvas.resting();
    for (int16_t angle : {180, 0, -10, 300})
        drawCannon(canvas, angle);
    EXPECT_EQ(p1, p2);
    EXPECT_EQ(window.presentsPicture1, 0);

    for (int16_t a = 1; a <= 179; ++a) {
        drawCannon(canvas, a);
        QImage outside = p1.copy(); // the drawing with the erase rectangle wiped
        CopyRect(outside, kCannonArea.x(), kCannonArea.y(), kCannonArea.width(), kCannonArea.height(), p2,
                 kCannonArea.x(), kCannonArea.y());
        EXPECT_EQ(outside, p2) << a;
        EXPECT_NE(p1, p2) << a;
    }
    EXPECT_EQ(window.presentsPicture1, 179);
    EXPECT_EQ(window.shownPicture1, p1);
    // At 10 degrees the cannon lies right of the pivot, at 170 left; the
    // next angle wipes all of the last one.
    drawCannon(canvas, 10);
    EXPECT_EQ(p1.pixel(279, 410), qRgb(79, 118, 93));
    drawCannon(canvas, 170);
    EXPECT_EQ(p1.pixel(161, 410), qRgb(79, 118, 93));
    EXPECT_EQ(p1.copy(230, 320, 87, 136), p2.copy(230, 320, 87, 136));
    // A new resting picture: the field takes it inside the rectangle only.
    const QImage before = p1.copy();
    canvas.setBackground(filled(kFieldWidth, kFieldHeight, kGrey));
    drawCannon(canvas, 90);
    for (QPoint p : {QPoint(126, 450), QPoint(317, 450), QPoint(200, 319), QPoint(200, 456)})
        EXPECT_EQ(p1.pixel(p), before.pixel(p)) << p.x() << "," << p.y();
    for (QPoint p : {QPoint(127, 450), QPoint(316, 450), QPoint(130, 320), QPoint(200, 455)})
        EXPECT_EQ(p1.pixel(p), kGrey) << p.x() << "," << p.y();
}

struct Files : ::testing::Test {
    QTemporaryDir dir;
    QString path(const char* name) const { return QDir(dir.path()).filePath(name); }
    QString junk(const char* name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return file.fileName();
    }
};

TEST_F(Files, PicturesScaleToTheAskedSizeOrGiveNullForBadFiles)
{
    ASSERT_TRUE(filled(100, 50, qRgb(200, 30, 30)).save(path("Fondo1.jpg"), "JPEG"));
    const QImage scaled = loadPicture(path("Fondo1.jpg").toStdString(), {442, 460});
    ASSERT_EQ(scaled.size(), QSize(442, 460));
    EXPECT_EQ(scaled.format(), QImage::Format_RGB32);
    EXPECT_NEAR(QColor(scaled.pixel(221, 230)).red(), 200, 12);

    for (const QString& bad : {junk("banda.jpg", "\xFF\xD8\xFF\xE0 truncated"), path("none.jpg"), dir.path()})
        EXPECT_TRUE(loadPicture(bad.toStdString(), {98, 460}).isNull()) << bad.toStdString();
}

// A picture's size is taken from its header, before anything is decoded:
// headers alone (no pixels follow) show which side of each limit refuses.
TEST_F(Files, PicturesFarLargerThanNeededAreRefusedFromTheirHeader)
{
    struct Case { quint32 width, height; bool refused; };
    const Case cases[] = {{8193, 1, true}, {1, 8193, true}, {8192, 2048, false}, {4096, 4096, false},
                          {4097, 4096, true}};
    for (const Case& c : cases) {
        QByteArray b("BM");
        for (quint32 v : {54 + 3 * c.width * c.height, 0u, 54u, 40u, c.width, c.height, 0x180001u, 0u, 0u, 0u, 0u,
                          0u, 0u}) // one plane, 24 bits
            b.append(reinterpret_cast<const char*>(&v), 4);
        std::string why;
        EXPECT_TRUE(readPicture(junk("big.bmp", b).toStdString(), &why).isNull());
        EXPECT_EQ(why.rfind("too large", 0) == 0, c.refused) << c.width << " x " << c.height << ": " << why;
    }
}

TEST(TextFit, NamesStayOnOneLineWithAnEllipsisWhenTooWide)
{
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPointSizeF(12);
    font.setBold(true);
    const QFontMetrics metrics(font);
    const QString wide = QStringLiteral("WWWWWWWWWW WWWWWWWWWW WWW"); // 25 characters
    struct Case { QString name, shown; };
    const Case cases[] = {{"Ann", "Ann"}, {"Line\r\nbreak\tand\u2028", "Line  break and "}, {wide, {}}};
    for (const Case& c : cases) {
        const QString line = fitOneLine(c.name, font, 261);
        EXPECT_LE(metrics.horizontalAdvance(line), 261) << line.toStdString();
        if (c.shown.isEmpty())
            EXPECT_TRUE(line.endsWith(QChar(0x2026)) && line.size() < wide.size()) << line.toStdString();
        else
            EXPECT_EQ(line, c.shown);
    }
}

// The stand-ins for missing pictures: at the asked size, and not one flat
// colour that would look like a drawing fault.
TEST(PlainPicture, EveryKindFillsTheAskedSizeAndIsNotFlat)
{
    for (auto kind : {PlainKind::Cover, PlainKind::Background, PlainKind::Band, PlainKind::About}) {
        const QImage image = plainPicture(kind, {98, 460});
        ASSERT_EQ(image.size(), QSize(98, 460));
        EXPECT_NE(image.pixel(10, 5), image.pixel(10, 450)) << "flat, looks broken";
    }
}

// Sizes and looks are the golden games' to watch. Each mask is two-tone
// with the sprite black wherever the mask is white: otherwise the OR step
// would tint the background around the piece.
TEST(SpriteCatalogue, ResourceSpritesHaveUsableMasks)
{
    const SpriteCatalogue c = SpriteCatalogue::fromResource();
    auto check = [](const QImage& sprite, const QImage& mask, QSize size, const char* what) {
        ASSERT_TRUE(sprite.size() == size && mask.size() == size) << what;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const QRgb m = mask.pixel(x, y) & 0xFFFFFF;
                ASSERT_TRUE(m == 0xFFFFFF || m == 0) << what << " mask grey at " << x << "," << y;
                ASSERT_TRUE(m == 0 || (sprite.pixel(x, y) & 0xFFFFFF) == 0) << what << " at " << x << "," << y;
            }
    };
    for (int i = 0; i < kPiecePictures; ++i) check(c.pieces[i], c.pieceMasks[i], {25, 25}, "piece");
    check(c.stone, c.stoneMask, {25, 25}, "stone");
    for (int i = 0; i < kFuseFrames; ++i) check(c.tnt[i], c.tntMasks[i], {90, 83}, "tnt");
    check(c.dynamite, c.dynamiteMask, {90, 100}, "dynamite");
    check(c.dynamiteExploding, c.dynamiteMask, {90, 100}, "exploding dynamite");
}

TEST_F(Files, MissingDamagedOrWrongSizedSpriteBecomesAVisibleStandIn)
{
    QImage small(10, 10, QImage::Format_ARGB32);
    small.fill(Qt::green);
    ASSERT_TRUE(small.save(path("small.png")));
    for (const QString& bad : {QString(":/sprites/none.png"), path("small.png"), junk("junk.png", "nothing")})
        EXPECT_EQ(loadSpriteOrStandIn(bad, 25, 25, false), standInSprite(25, 25)) << bad.toStdString();

    const QImage fitting = loadSpriteOrStandIn(path("small.png"), 10, 10, false);
    EXPECT_EQ(fitting.format(), QImage::Format_RGB32);
    EXPECT_EQ(fitting.pixel(3, 3), qRgb(0, 255, 0));

    // A missing mask is opaque, so the stand-in shows whole.
    const QImage mask = loadSpriteOrStandIn("/nonexistent/mask.png", 90, 83, true);
    EXPECT_EQ(mask.size(), QSize(90, 83));
    EXPECT_EQ(mask.pixel(45, 40), qRgb(0, 0, 0));
}

} // namespace
} // namespace quibix
