// Aiming: the angle from the mouse, the cannon's pixels, Escape.
#include "fakes/GameFixture.h"

using namespace quibix;
using namespace quibix::testing;

namespace {

class AimingTest : public GameFixture {};

const QRect kEraseRect(127, 320, 190, 136);

TEST_F(AimingTest, TheMouseXGivesTheAngleExceptDuringAShot)
{
    const std::pair<float, int> cases[] = {
        {180.0f, 90}, {92.0f, 178}, {91.0f, 178}, {268.0f, 2}, {268.5f, 2}, {0.0f, 178},
        {441.0f, 2}, {177.5f, 92}, {176.5f, 94}, {200.0f, 70}, {150.0f, 120},
    };
    Form1& f = startGame();
    for (const auto& [x, angle] : cases) {
        f.Picture1_MouseMove(x, 123.0f);
        EXPECT_EQ(f.intGrados, angle) << x;
    }
    const QImage before = f.canvas.Picture1.copy();
    const int presents = window.presentsPicture1;
    f.blnDisparo = kTrue;
    f.Picture1_MouseMove(300.0f, 10.0f);
    EXPECT_EQ(f.intGrados, 120);
    EXPECT_EQ(f.canvas.Picture1, before);
    EXPECT_EQ(window.presentsPicture1, presents);
}

TEST_F(AimingTest, TheCannonIsTwoFilledArrowsWithALitLeftFlank)
{
    Form1& f = startGame();
    f.canvas.Picture1.setPixel(130, 450, qRgb(1, 2, 3)); // inside the erase rectangle
    f.canvas.Picture1.setPixel(126, 450, qRgb(1, 2, 3)); // just outside it
    const int presents = window.presentsPicture1;
    f.PintaCañon(90);

    const QImage& p = f.canvas.Picture1;
    EXPECT_EQ(p.pixel(220, 330), qRgb(103, 153, 121)); // between the tips
    EXPECT_EQ(p.pixel(220, 360), qRgb(79, 118, 93));   // inner arrow
    EXPECT_EQ(p.pixel(220, 389), qRgb(0, 0, 0));       // base
    EXPECT_EQ(p.pixel(229, 367), qRgb(0, 0, 0));       // right-hand flank
    EXPECT_EQ(p.pixel(211, 367), qRgb(240, 240, 240)); // left-hand flank
    EXPECT_EQ(p.pixel(130, 450), f.canvas.Picture2.pixel(130, 450)); // old drawing erased
    EXPECT_EQ(p.pixel(126, 450), qRgb(1, 2, 3));
    EXPECT_EQ(window.presentsPicture1, presents + 1);
    EXPECT_EQ(window.shownPicture1, p);
}

TEST_F(AimingTest, DrawableAnglesStayInsideTheEraseRectangleOthersDrawNothing)
{
    Form1& f = startGame();
    const QImage& p1 = f.canvas.Picture1;
    const QImage& p2 = f.canvas.Picture2;
    // Out of range: nothing drawn, the angle comes back on its side.
    const QImage before = p1.copy();
    const int presents = window.presentsPicture1;
    using Case = std::pair<int16_t, int16_t>;
    for (auto [angle, after] : {Case{180, 175}, Case{0, 5}, Case{-10, 5}, Case{200, 175}, Case{300, 5}}) {
        f.intGrados = 90;
        f.PintaCañon(angle);
        EXPECT_EQ(f.intGrados, after) << angle;
    }
    EXPECT_EQ(p1, before);
    EXPECT_EQ(window.presentsPicture1, presents);

    f.intGrados = 90;
    for (int16_t a = 1; a <= 179; ++a) {
        f.PintaCañon(a);
        int drawn = 0, outside = 0;
        for (int y = 0; y < p1.height(); ++y)
            for (int x = 0; x < p1.width(); ++x)
                if (p1.pixel(x, y) != p2.pixel(x, y)) {
                    ++drawn;
                    outside += !kEraseRect.contains(x, y);
                }
        EXPECT_EQ(outside, 0) << a;
        EXPECT_GT(drawn, 600) << a;
        EXPECT_EQ(f.intGrados, 90) << "a drawable angle leaves intGrados alone";
    }
    // The turned cannon points where the angle says: at 10 degrees it lies
    // to the right of the pivot (out to x 311), at 170 to the left; and the
    // next angle wipes all of the last one.
    f.PintaCañon(10);
    EXPECT_EQ(p1.pixel(279, 410), qRgb(79, 118, 93));
    f.PintaCañon(170);
    EXPECT_EQ(p1.pixel(161, 410), qRgb(79, 118, 93));
    EXPECT_EQ(p1.copy(230, 320, 87, 136), p2.copy(230, 320, 87, 136));
}

} // namespace
