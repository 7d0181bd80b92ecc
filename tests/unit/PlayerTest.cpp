// The player shows a turn the engine has decided: what stays on the screen
// and the resting picture afterwards, the order of what is shown and heard,
// and the band after an explosion.
#include "fakes/EngineFixture.h"
#include "fakes/FakePorts.h"
#include "render/Player.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quibix::testing {
namespace {

class PlayerTest : public EngineFixture {
protected:
    PlayerTest()
    {
        canvas.setBackground(filled(kFieldWidth, kFieldHeight, QColor(40, 90, 160)));
        canvas.setBand(filled(kBandWidth, kBandHeight, QColor(90, 40, 40)));
        canvas.CreaBuffers();
    }
    // The position drawn at rest, then the turn landing at `rest` shown.
    void play(Cell rest)
    {
        canvas.composeScreen(engine.board(), engine.ladrillos(), engine.ficha(), engine.siguiente());
        window.logPresents = window.logPauses = true;
        player.play(engine.landAt(rest), [this](const SoundPlayed& s) { log.add(std::string("sound ") + s.file); },
                    17);
    }
    QImage square(const QImage& image, PixelPoint at) const { return image.copy(at.x, at.y, 25, 25); }
    static QImage filled(int w, int h, QColor colour)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }

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
        EXPECT_EQ(square(canvas.resting(), at), square(canvas.background(), at)) << c;
        EXPECT_EQ(square(canvas.field(), at), square(canvas.background(), at)) << c;
    }
    EXPECT_NE(square(canvas.resting(), cellOrigin(5, 1, 0)), square(canvas.background(), cellOrigin(5, 1, 0)));
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
        for (int r = 0; r <= 13; ++r) // kinds 5 and 6 in turn: joins nothing, hangs from the top
            engine.put(k.anchor, r, static_cast<int16_t>(5 + r % 2));
        play(k.shot);
        for (const Put& p : {k.gone, k.kept})
            EXPECT_EQ(code(p.c, p.r), p.code) << p.c << "," << p.r;
        EXPECT_EQ(canvas.field().copy(k.area), canvas.resting().copy(k.area)) << k.shot.col;
    }
}

// The board lowered is the soak's to check after every turn; here the band.
TEST_F(PlayerTest, ExplosionShowsTheBandFresh)
{
    position({{8, 0, 1}, {8, 1, 2}}, 5);
    engine.setFuse(6);
    play({2, 0});
    // Fuse frame 0 and the dynamite whole, as a fresh band shows them.
    const QImage played = canvas.band().copy();
    canvas.setBand(canvas.cleanBand().copy());
    canvas.drawFuse(0);
    canvas.drawDynamite(false);
    EXPECT_EQ(played, canvas.band());
    EXPECT_EQ(window.shownBand, played);
}

} // namespace
} // namespace quibix::testing
