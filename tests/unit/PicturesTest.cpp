#include "render/Pictures.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quibix {
namespace {

TEST(LoadPicture, ScalesToTheAskedSizeOrGivesNullForBadFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage picture(100, 50, QImage::Format_RGB32);
    picture.fill(QColor(200, 30, 30));
    const QString jpeg = QDir(dir.path()).filePath("Fondo1.jpg");
    ASSERT_TRUE(picture.save(jpeg, "JPEG"));

    const QImage scaled = loadPicture(jpeg.toStdString(), {442, 460});
    ASSERT_EQ(scaled.size(), QSize(442, 460));
    EXPECT_EQ(scaled.format(), QImage::Format_RGB32);
    EXPECT_NEAR(QColor(scaled.pixel(221, 230)).red(), 200, 12);

    QFile junk(QDir(dir.path()).filePath("banda.jpg"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("\xFF\xD8\xFF\xE0 truncated");
    junk.close();
    EXPECT_TRUE(loadPicture(junk.fileName().toStdString(), {98, 460}).isNull());
    EXPECT_TRUE(loadPicture(QDir(dir.path()).filePath("none.jpg").toStdString(), {98, 460}).isNull());
    EXPECT_TRUE(loadPicture(dir.path().toStdString(), {98, 460}).isNull());
}

int brightPixels(const QImage& image, QRect area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += QColor(image.pixel(x, y)).lightnessF() > 0.6;
    return n;
}

TEST(PlainPicture, CalmPicturesWithTheTitleOnlyInTheCoversBand)
{
    const QSize field(442, 460);
    const QImage cover = plainPicture(PlainKind::Cover, field);
    ASSERT_EQ(cover.size(), field);
    EXPECT_GT(brightPixels(cover, QRect(0, 60, 442, 110)), 442 * 110 / 10);
    EXPECT_EQ(brightPixels(cover, QRect(0, 0, 442, 60)), 0);
    EXPECT_EQ(brightPixels(cover, QRect(0, 170, 442, 290)), 0);

    for (auto kind : {PlainKind::Background, PlainKind::Band, PlainKind::About}) {
        const QImage image = plainPicture(kind, {98, 460});
        ASSERT_EQ(image.size(), QSize(98, 460));
        EXPECT_EQ(brightPixels(image, image.rect()), 0);
        EXPECT_NE(image.pixel(10, 5), image.pixel(10, 450)) << "flat, looks broken";
    }
    EXPECT_LT(QColor(plainPicture(PlainKind::Band, field).pixel(200, 200)).lightnessF(),
              QColor(plainPicture(PlainKind::Background, field).pixel(200, 200)).lightnessF());
}

} // namespace
} // namespace quibix
