// The cannon's pixels: two filled arrows with a lit left flank, inside the
// rectangle its erase restores.
#include "fakes/FakePorts.h"
#include "render/Cannon.h"
#include "render/Module1.h"

#include <gtest/gtest.h>

namespace quibix::testing {
namespace {

const QRect kEraseRect(127, 320, 190, 136);

class CannonTest : public ::testing::Test {
protected:
    CannonTest()
    {
        canvas.Picture2.fill(QColor(30, 60, 90));
        canvas.Picture1 = canvas.Picture2.copy();
    }
    EventLog log;
    FakeWindow window{log};
    Canvas canvas{window};
};

TEST_F(CannonTest, TwoFilledArrowsWithALitLeftFlankPresented)
{
    canvas.Picture1.setPixel(130, 450, qRgb(1, 2, 3)); // inside the erase rectangle
    canvas.Picture1.setPixel(126, 450, qRgb(1, 2, 3)); // just outside it
    drawCannon(canvas, 90);

    const QImage& p = canvas.Picture1;
    EXPECT_EQ(p.pixel(220, 330), qRgb(103, 153, 121)); // between the tips
    EXPECT_EQ(p.pixel(220, 360), qRgb(79, 118, 93));   // inner arrow
    EXPECT_EQ(p.pixel(220, 389), qRgb(0, 0, 0));       // base
    EXPECT_EQ(p.pixel(229, 367), qRgb(0, 0, 0));       // right-hand flank
    EXPECT_EQ(p.pixel(211, 367), qRgb(240, 240, 240)); // left-hand flank
    EXPECT_EQ(p.pixel(130, 450), canvas.Picture2.pixel(130, 450)); // old drawing erased
    EXPECT_EQ(p.pixel(126, 450), qRgb(1, 2, 3));
    EXPECT_EQ(window.presentsPicture1, 1);
    EXPECT_EQ(window.shownPicture1, p);
}

TEST_F(CannonTest, DrawableAnglesStayInsideTheEraseRectangleOthersDrawNothing)
{
    const QImage& p1 = canvas.Picture1;
    const QImage& p2 = canvas.Picture2;
    for (int16_t angle : {180, 0, -10, 300})
        drawCannon(canvas, angle);
    EXPECT_EQ(p1, p2);
    EXPECT_EQ(window.presentsPicture1, 0);

    for (int16_t a = 1; a <= 179; ++a) {
        drawCannon(canvas, a);
        QImage outside = p1.copy(); // the drawing with its rectangle wiped
        CopyRect(outside, kEraseRect.x(), kEraseRect.y(), kEraseRect.width(), kEraseRect.height(), p2,
                 kEraseRect.x(), kEraseRect.y());
        EXPECT_EQ(outside, p2) << a;
        EXPECT_NE(p1, p2) << a;
    }
    // At 10 degrees the cannon lies right of the pivot, at 170 left; the
    // next angle wipes all of the last one.
    drawCannon(canvas, 10);
    EXPECT_EQ(p1.pixel(279, 410), qRgb(79, 118, 93));
    drawCannon(canvas, 170);
    EXPECT_EQ(p1.pixel(161, 410), qRgb(79, 118, 93));
    EXPECT_EQ(p1.copy(230, 320, 87, 136), p2.copy(230, 320, 87, 136));
}

} // namespace
} // namespace quibix::testing
