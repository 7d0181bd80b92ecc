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

TEST_F(EngineShotTest, ShotEventsFollowTheFlightAndTheAimComesBack)
{
    // Steps and resting cell per angle: the flight sim script.
    struct Case { int16_t bricks, angle; int steps, rebounds, column; };
    for (const Case& k : {Case{2, 90, 35, 0, 8}, Case{0, 45, 56, 1, 9}, Case{0, 174, 378, 9, 4}}) {
        position({}, 3, k.bricks);
        const Turn turn = shootAt(k.angle);
        // One frame per step but the last; a rebound sound per rebound.
        EXPECT_EQ(eventsOf<FlightFrame>(turn).size(), static_cast<std::size_t>(k.steps - 1)) << k.angle;
        EXPECT_EQ(eventsOf<Rebounded>(turn).size(), static_cast<std::size_t>(k.rebounds)) << k.angle;
        EXPECT_EQ(code(k.column, 0), 4) << k.angle;
        EXPECT_EQ(engine.board()(k.column, 0).X, 25 * k.column) << k.angle;
        EXPECT_EQ(engine.board()(k.column, 0).Y, 25 * k.bricks) << k.angle;
        EXPECT_EQ(engine.grados(), k.angle) << "the aim comes back after the mirrored flight";
        EXPECT_EQ(eventsOf<PiecesDealt>(turn).at(0).next, engine.siguiente());
    }
}

TEST_F(EngineShotTest, FlightFramesFollowTheCentreTwelvePixelsUpAndLeft)
{
    position({}, 2);
    const auto frames = eventsOf<FlightFrame>(shootAt(90));
    ASSERT_EQ(frames.size(), 39u);
    EXPECT_EQ(frames.front().at, (PixelPoint{209, 398}));
    EXPECT_EQ(frames.back().at, (PixelPoint{209, 18}));
    EXPECT_EQ(frames.front().kind, 2);
}

TEST_F(EngineShotTest, EveryShotReseedsOnce)
{
    position({}, 1);
    const int before = random.reseeds();
    shootAt(60);
    engine.landAt({3, 0});
    EXPECT_EQ(random.reseeds(), before + 2);
}

} // namespace
} // namespace quibix::testing
