// Loading pictures and sprites, with stand-ins for what cannot be loaded.
#include "render/Pictures.h"
#include "render/TextFit.h"
#include "render/SpriteCatalogue.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quibix {
namespace {

bool isStandIn(const QImage& image) { return image == standInSprite(image.width(), image.height()); }

struct Files : ::testing::Test {
    QTemporaryDir dir;
    QString path(const char* name) const { return QDir(dir.path()).filePath(name); }
    QString junk(const char* name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
};

TEST_F(Files, PicturesScaleToTheAskedSizeOrGiveNullForBadFiles)
{
    QImage picture(100, 50, QImage::Format_RGB32);
    picture.fill(QColor(200, 30, 30));
    ASSERT_TRUE(picture.save(path("Fondo1.jpg"), "JPEG"));
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
}

TEST_F(Files, MissingDamagedOrWrongSizedSpriteBecomesAVisibleStandIn)
{
    QImage small(10, 10, QImage::Format_ARGB32);
    small.fill(Qt::green);
    ASSERT_TRUE(small.save(path("small.png")));
    for (const QString& bad : {QString(":/sprites/none.png"), path("small.png"), junk("junk.png", "nothing")})
        EXPECT_TRUE(isStandIn(loadSpriteOrStandIn(bad, 25, 25, false))) << bad.toStdString();

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
