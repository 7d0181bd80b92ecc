// The window's picture at any size: the scale chosen for windows and
// screens, the border around it, the mouse mapped back to field pixels,
// and the window's size kept for next time.
#include "ui/PixelScale.h"
#include "ui/StageLayout.h"
#include "ui/WindowPrefs.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quibix {
namespace {

TEST(StageLayoutTest, TheLargestWholeScaleThatFits)
{
    struct Case { QSize area; int scale; };
    const Case cases[] = {
        {{540, 461}, 1},   {{1079, 922}, 1}, {{1080, 921}, 1}, {{1080, 922}, 2},
        {{1280, 1002}, 2}, // 1280 x 1024 full screen under a menu bar
        {{1920, 1058}, 2}, // 1920 x 1080 the same
        {{1620, 1383}, 3}, {{2160, 1844}, 4}, {{5000, 5000}, 4},
        {{300, 200}, 1},   // smaller than the picture: scale 1, cut off
    };
    for (const Case& c : cases)
        EXPECT_EQ(largestScale(c.area), c.scale) << c.area.width() << "x" << c.area.height();
}

TEST(StageLayoutTest, CentredWithTheBandBesideTheField)
{
    const StageLayout at2 = layoutStage({1280, 1002});
    EXPECT_EQ(at2.field, QRect(100, 40, 884, 920));
    EXPECT_EQ(at2.band, QRect(984, 40, 196, 920));
    const StageLayout at1 = layoutStage({540, 461});
    EXPECT_EQ(at1.field, QRect(0, 0, 442, 460));
    EXPECT_EQ(at1.band, QRect(442, 0, 98, 460));
}

TEST(StageLayoutTest, EveryScreenPositionBelongsToTheFieldPixelItLiesIn)
{
    for (int k = 1; k <= kMaxStageScale; ++k) {
        for (const QPoint pixel : {QPoint(0, 0), QPoint(180, 300), QPoint(441, 459)}) {
            const QPointF corner(pixel * k);
            EXPECT_EQ(fieldPixel(corner, k), pixel) << k;
            EXPECT_EQ(fieldPixel(corner + QPointF(k - 0.01, k - 0.01), k), pixel) << k;
            EXPECT_EQ(fieldPixel(corner - QPointF(0.01, 0), k), pixel - QPoint(1, 0)) << k;
            EXPECT_EQ(fieldPixel(QPointF(positionOfPixel(pixel, k)), k), pixel) << k;
        }
    }
    EXPECT_EQ(fieldPixel({-0.5, 10}, 2), QPoint(-1, 5)); // left of the field, not pixel 0
    EXPECT_EQ(clampToField({-1, 460}), QPoint(0, 459));
    EXPECT_EQ(clampToField({442, -3}), QPoint(441, 0));
}

TEST(PixelScaleTest, OnlyTheChangedPartIsEnlargedAndItMatchesAPlainEnlargement)
{
    QImage before(442, 460, QImage::Format_RGB32);
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            before.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    QImage after = before;
    EXPECT_TRUE(changedRect(before, after).isEmpty());
    after.setPixel(127, 320, qRgb(1, 2, 3));
    after.setPixel(316, 455, qRgb(4, 5, 6));
    after.setPixel(200, 400, qRgb(7, 8, 9));
    EXPECT_EQ(changedRect(before, after), QRect(QPoint(127, 320), QPoint(316, 455)));

    for (int k = 2; k <= kMaxStageScale; ++k) {
        QImage enlarged(before.size() * k, before.format());
        enlargeInto(enlarged, before, before.rect(), k);
        enlargeInto(enlarged, after, changedRect(before, after), k);
        EXPECT_EQ(enlarged, after.scaled(after.size() * k)) << k;
    }
}

class WindowPrefsTest : public ::testing::Test {
protected:
    QSettings settings() { return QSettings(dir.filePath(QStringLiteral("quibix.conf")), QSettings::IniFormat); }
    QTemporaryDir dir;
};

TEST_F(WindowPrefsTest, KeptAndReadBack)
{
    QSettings s = settings();
    EXPECT_EQ(loadWindowPrefs(s), WindowPrefs{}); // nothing kept yet
    const WindowPrefs kept{QSize(1300, 990), 2, true};
    saveWindowPrefs(s, kept);
    QSettings again = settings();
    EXPECT_EQ(loadWindowPrefs(again), kept);
}

TEST_F(WindowPrefsTest, DamagedValuesGiveTheDefaults)
{
    {
        QSettings s = settings();
        s.setValue(QStringLiteral("window/scale"), 5);
        s.setValue(QStringLiteral("window/width"), QStringLiteral("wide"));
        s.setValue(QStringLiteral("window/height"), 900);
        s.setValue(QStringLiteral("window/fullscreen"), QStringLiteral("maybe"));
    }
    QSettings s = settings();
    EXPECT_EQ(loadWindowPrefs(s), WindowPrefs{});
    s.setValue(QStringLiteral("window/scale"), 4);
    s.setValue(QStringLiteral("window/width"), 539); // below the game's own size
    EXPECT_EQ(loadWindowPrefs(s), (WindowPrefs{QSize(), 4, false}));
}

} // namespace
} // namespace quibix
