// The player shows a decided turn: what stays on the screen and the resting
// picture afterwards, and the band after an explosion.
#include "fakes/FakePorts.h"
#include "render/Player.h"
#include "unit/EngineFixture.h"

namespace quibix::testing {
namespace {

class PlayerTest : public EngineFixture {
protected:
    PlayerTest()
    {
        canvas.Picture3.fill(QColor(40, 90, 160));
        canvas.PicBandaBuff.fill(QColor(90, 40, 40));
        canvas.PicBanda = canvas.PicBandaBuff.copy();
        canvas.CreaBuffers();
    }
    // The position drawn at rest, then the turn landing at `rest` shown.
    void play(Cell rest)
    {
        canvas.DibujaArray(engine.board(), engine.ladrillos(), true);
        canvas.drawPieceSlots(engine.ficha(), engine.siguiente());
        canvas.Picture1 = canvas.Picture2.copy();
        window.logPresents = window.logPauses = true;
        player.play(engine.landAt(rest), [this](const SoundPlayed& s) { log.add(std::string("sound ") + s.file); },
                    17);
    }
    QImage square(const QImage& image, PixelPoint at) const { return image.copy(at.x, at.y, 25, 25); }

    EventLog log;
    FakeWindow window{log};
    Canvas canvas{window};
    Player player{canvas, window};
};

TEST_F(PlayerTest, VanishedGroupIsShownInOrderAndLeavesTheCleanBackground)
{
    position({{4, 0, 3}, {6, 0, 3}, {5, 1, 1}, {6, 1, 2}, {7, 0, 2}}, 2); // (5, 1): another kind, stays
    play({5, 0});
    for (int c : {4, 5, 6}) {
        const PixelPoint at = cellOrigin(c, 0, 0);
        EXPECT_EQ(square(canvas.Picture2, at), square(canvas.Picture3, at)) << c;
        EXPECT_EQ(square(canvas.Picture1, at), square(canvas.Picture3, at)) << c;
    }
    EXPECT_NE(square(canvas.Picture2, cellOrigin(5, 1, 0)), square(canvas.Picture3, cellOrigin(5, 1, 0)));
    std::vector<std::string> expected{"sound shoot.wav", "present Picture1", "sound sound18.wav"};
    for (int piece = 0; piece < 3; ++piece) // each destroyed in 50 ms
        expected.insert(expected.end(), {"present Picture1", "pause 15", "present Picture1", "pause 10",
                                         "present Picture1", "pause 5", "pause 20"});
    expected.insert(expected.end(), 3, "present Picture1");
    EXPECT_EQ(log.events, expected);
}

TEST_F(PlayerTest, PiecesFallingThroughTheCannonStripLeaveTheScreenAsTheBoardSays)
{
    struct Case { std::vector<Put> board; int anchor; Cell shot; QRect area; Put gone, kept; };
    const Case cases[] = {
        // (2, 13) hung from the vanished group and falls across its squares.
        {{{1, 14, 1}, {2, 14, 1}, {2, 13, 3}}, 0, {3, 14}, {0, 300, 150, 100}, {2, 13, 0}, {2, 14, 0}},
        // (14, 8) falls past the shot just landed and (14, 14): both stay whole.
        {{{11, 13, 3}, {12, 13, 4}, {14, 14, 5}, {14, 8, 6}}, 10, {13, 13}, {300, 300, 100, 100}, {14, 8, 0},
         {14, 14, 5}},
    };
    for (const Case& k : cases) {
        position(k.board, 0);
        column(k.anchor, 13, 5);
        play(k.shot);
        expectCodes({k.gone, k.kept});
        EXPECT_EQ(canvas.Picture1.copy(k.area), canvas.Picture2.copy(k.area)) << k.shot.col;
    }
}

// The board lowered is the soak's to check after every turn; here the band.
TEST_F(PlayerTest, ExplosionShowsTheBandFresh)
{
    position({{8, 0, 1}, {8, 1, 2}}, 5);
    engine.setFuse(6);
    play({2, 0});
    // Fuse frame 0 and the dynamite whole, as a fresh band shows them.
    const QImage played = canvas.PicBanda.copy();
    canvas.PicBanda = canvas.PicBandaBuff.copy();
    canvas.drawFuse(0);
    canvas.drawDynamite(false);
    EXPECT_EQ(played, canvas.PicBanda);
    EXPECT_EQ(window.shownBand, played);
}

} // namespace
} // namespace quibix::testing
