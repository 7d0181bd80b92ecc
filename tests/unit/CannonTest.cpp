// The cannon: where it is drawn and what its erase restores.
#include "fakes/FakePorts.h"
#include "render/Cannon.h"
#include "render/Module1.h"

#include <gtest/gtest.h>

namespace quibix::testing {
namespace {

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

// Its colours and shape are the golden games' to watch; here the angles it
// is drawn at and the rectangle its erase restores.
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
        QImage outside = p1.copy(); // the drawing with the erase rectangle wiped
        CopyRect(outside, 127, 320, 190, 136, p2, 127, 320);
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
    canvas.Picture1.setPixel(126, 450, qRgb(1, 2, 3)); // just outside the rectangle: kept
    drawCannon(canvas, 90);
    EXPECT_EQ(p1.pixel(126, 450), qRgb(1, 2, 3));
}

} // namespace
} // namespace quibix::testing
