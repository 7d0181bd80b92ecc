// Aiming and the shot's flight: steps, walls, ceiling and the resting cell.
#include "unit/EngineFixture.h"

namespace quibix::testing {
namespace {

using EngineShotTest = EngineFixture;

TEST_F(EngineShotTest, MouseTurnsTheCannonWithinTwoAndOneHundredSeventyEight)
{
    // Angle N(270 - x), halves to even, clamped.
    struct Case { float x; int16_t angle; };
    for (const Case& k : {Case{-500, 178}, Case{91, 178}, Case{92, 178}, Case{93, 177}, Case{180.5f, 90},
                          Case{181.5f, 88}, Case{267, 3}, Case{268, 2}, Case{269, 2}, Case{900, 2}}) {
        EXPECT_EQ(engine.aim(k.x), k.angle) << k.x;
        EXPECT_EQ(engine.grados(), k.angle) << k.x;
    }
}

TEST_F(EngineShotTest, ShotEventsFollowTheFlightAndEveryShotReseedsOnce)
{
    // Steps and resting cell per angle: the flight sim script. Frames show
    // the centre 12 pixels up and left.
    struct Case { int16_t bricks, angle; int steps, rebounds, column; PixelPoint first, last; };
    for (const Case& k : {Case{2, 90, 35, 0, 8, {209, 398}, {209, 68}}, Case{0, 45, 56, 1, 9, {216, 401}, {230, 19}},
                          Case{0, 174, 378, 9, 4, {199, 407}, {99, 14}}}) {
        position({}, 3, k.bricks);
        const int reseeds = random.reseeds();
        const Turn turn = shootAt(k.angle);
        EXPECT_EQ(random.reseeds(), reseeds + 1) << k.angle;
        // One frame per step but the last; a rebound sound per rebound.
        const auto frames = eventsOf<FlightFrame>(turn);
        ASSERT_EQ(frames.size(), static_cast<std::size_t>(k.steps - 1)) << k.angle;
        EXPECT_EQ(frames.front().at, k.first) << k.angle;
        EXPECT_EQ(frames.back().at, k.last) << k.angle;
        EXPECT_EQ(frames.front().kind, 3);
        EXPECT_EQ(eventsOf<Rebounded>(turn).size(), static_cast<std::size_t>(k.rebounds)) << k.angle;
        EXPECT_EQ(code(k.column, 0), 4) << k.angle;
        EXPECT_EQ(engine.board()(k.column, 0).X, 25 * k.column) << k.angle;
        EXPECT_EQ(engine.board()(k.column, 0).Y, 25 * k.bricks) << k.angle;
        EXPECT_EQ(engine.grados(), k.angle) << "the aim comes back after the mirrored flight";
        EXPECT_EQ(eventsOf<PiecesDealt>(turn).at(0).next, engine.siguiente());
    }
    // A shot that lands without flying reseeds too.
    engine.landAt({3, 0});
    EXPECT_EQ(random.reseeds(), 4);
}

} // namespace
} // namespace quibix::testing
