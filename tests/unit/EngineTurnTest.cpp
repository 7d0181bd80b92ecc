// The end of a turn: the explosion's events. The counts, the loss, the
// next piece and a cleared screen are pinned by the sim scripts; the fuse
// put out by a new screen by EngineScreenTest.
#include "unit/EngineFixture.h"

namespace quibix::testing {
namespace {

using EngineTurnTest = EngineFixture;

TEST_F(EngineTurnTest, SevenBarrenShotsBlowTheDynamite)
{
    // A board that hangs whole, with a piece in the margin column.
    position({{8, 0, 1}, {8, 1, 2}, {3, 0, 3}, {17, 2, 4}}, 5);
    for (int shot = 1; shot <= 7; ++shot) {
        // Kinds 4 and 5 in turn along row 0: no group.
        engine.load(static_cast<int16_t>(4 + shot % 2), 0);
        const Turn turn = engine.landAt({static_cast<int16_t>(9 + shot), 0});
        const bool blown = shot == 7;
        EXPECT_EQ(eventsOf<DynamiteExploded>(turn).size(), blown ? 1u : 0u) << shot;
        if (!blown) {
            EXPECT_EQ(eventsOf<FuseBurnt>(turn).at(0).frame, shot);
            continue;
        }
        // Every piece one row lower, the margin too.
        EXPECT_EQ(engine.board()(8, 1).Y, 50);
        EXPECT_EQ(engine.board()(17, 2).Y, 75);
        EXPECT_EQ(engine.board()(16, 0).Y, 25);
        EXPECT_EQ(soundsOf(turn), (std::vector<std::string>{"shoot.wav", "boom.wav", "down1.wav"}));
        EXPECT_TRUE(eventsOf<SoundPlayed>(turn).at(1).synchronous);
        const auto lowered = eventsOf<BoardLowered>(turn);
        ASSERT_EQ(lowered.size(), 1u);
        EXPECT_EQ(lowered[0].ladrillos, 1);
        EXPECT_EQ(lowered[0].pieces.size(), 11u);
    }
}

TEST_F(EngineTurnTest, TheExplosionLowersAPieceInTheMarginRowToo)
{
    position({{8, 0, 1}, {4, 15, 2}}, 5);
    engine.setFuse(6);
    const auto lowered = eventsOf<BoardLowered>(engine.landAt({2, 0}));
    ASSERT_EQ(lowered.size(), 1u);
    EXPECT_EQ(lowered[0].pieces.size(), 3u);
    EXPECT_EQ(engine.board()(4, 15).Y, 400);
}

} // namespace
} // namespace quibix::testing
