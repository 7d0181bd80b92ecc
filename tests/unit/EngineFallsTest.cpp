// Pieces cut off from the top row: the cheer and how long the fall lasts.
// Which pieces fall, the score and the fuse: the falls sim script.
#include "unit/EngineFixture.h"

namespace quibix::testing {
namespace {

using EngineFallsTest = EngineFixture;

// A shot of kind 5 (code 6) resting at (16, 0), where it joins nothing.
constexpr Cell kQuietShot{16, 0};

TEST_F(EngineFallsTest, CheerChangesAtFourFallenAndTheFallStartsWhereThePiecesWere)
{
    for (const auto& [fallen, cheer] : {std::pair{1, "great1.wav"}, {3, "great1.wav"}, {4, "great2.wav"}}) {
        std::vector<Put> loose;
        for (int c = 0; c < fallen; ++c)
            loose.push_back({c, 3, 2});
        position(loose, 5);
        const Turn turn = engine.landAt(kQuietShot);
        EXPECT_EQ(soundsOf(turn), (std::vector<std::string>{"shoot.wav", cheer})) << fallen;
        const auto fell = eventsOf<PiecesFell>(turn);
        ASSERT_EQ(fell.size(), 1u);
        ASSERT_EQ(fell[0].pieces.size(), static_cast<std::size_t>(fallen));
        EXPECT_EQ(fell[0].pieces[0].from, (PixelPoint{12, 75})); // odd row 3
        EXPECT_EQ(fell[0].pieces[0].code, 2);
    }
}

TEST_F(EngineFallsTest, FallLastsUntilTheHighestPieceLeavesTheField)
{
    // Row 1 without bricks starts at y = 25: 45 frames of 10 px. Row 14
    // starts at 350: 12 frames. Under 4 brick rows it starts at 450, but
    // the fall counts from 420 at the latest: 5 frames.
    struct Case { int16_t bricks; int row, frames; };
    for (const Case& k : {Case{0, 1, 45}, Case{0, 14, 12}, Case{4, 14, 5}}) {
        position({{6, k.row, 2}}, 5, k.bricks);
        const auto fell = eventsOf<PiecesFell>(engine.landAt(kQuietShot));
        ASSERT_EQ(fell.size(), 1u) << k.row;
        EXPECT_EQ(fell[0].frames, k.frames) << k.row;
    }
}

TEST_F(EngineFallsTest, APieceInTheMarginColumnHoldsNothingUp)
{
    position({{17, 0, 2}, {16, 1, 3}}, 5);
    const auto fell = eventsOf<PiecesFell>(engine.landAt({0, 0}));
    ASSERT_EQ(fell.size(), 1u);
    EXPECT_EQ(fell[0].pieces.size(), 1u);
    EXPECT_EQ(code(16, 1), kEmpty);
}

} // namespace
} // namespace quibix::testing
