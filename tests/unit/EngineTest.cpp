// The board, and the rule engine on a scripted random sequence: a new screen
// (the shapes cell by cell, stones, the draws), aiming, and the events of a
// turn. Which pieces join or fall, the counts, the score, the loss and the
// next piece are the sim scripts'.
#include "fakes/EngineFixture.h"
#include "game/Board.h"
#include "game/Engine.h"
#include "game/Numbers.h"
#include "game/Random.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace quibix::testing {
namespace {

TEST(Board, NeighbourOrderAndBoundsOnEvenAndOddRowsAndAtTheMargins)
{
    struct Case { int c, r; std::vector<std::pair<int, int>> expected; };
    const Case cases[] = {
        {5, 2, {{4, 2}, {4, 1}, {4, 3}, {6, 2}, {5, 1}, {5, 3}}},         // even row
        {5, 3, {{4, 3}, {6, 3}, {6, 2}, {6, 4}, {5, 2}, {5, 4}}},         // odd row
        {0, 0, {{1, 0}, {0, 1}}},                                         // top-left corner
        {16, 14, {{15, 14}, {15, 13}, {15, 15}, {17, 14}, {16, 13}, {16, 15}}}, // reaches the margin
        {17, 15, {{16, 15}, {17, 14}}}, // margin corner: nothing in column 18 or row 16
    };
    for (const Case& k : cases) {
        std::vector<std::pair<int, int>> found;
        ForEachNeighbour(k.c, k.r, [&](int x, int y) { found.emplace_back(x, y); });
        EXPECT_EQ(found, k.expected) << k.c << "," << k.r;
    }
}

// Which cells the scans look at is the margin and loss sim scripts'; here
// the two that change the whole board.
TEST(Board, ClearAndPetrifyIncludeTheMarginButNothingBeyond)
{
    Tablero t;
    t(0, 0) = {3, 10, 20, -1};
    t(17, 15).Tipo = 4;
    t(18, 16).Tipo = 5; // never addressed
    PetrificaTablero(t);
    EXPECT_EQ(t(17, 15).Tipo, kStone);
    EXPECT_EQ(t(18, 16).Tipo, 5);
    EXPECT_EQ(BuscaFilaBaja(t), 15); // the margin row's own piece
    BorraTablero(t);
    EXPECT_EQ(t(0, 0).X, 0);
    EXPECT_EQ(t(0, 0).Cae, 0);
    EXPECT_EQ(t(17, 15).Tipo, kEmpty);
    EXPECT_EQ(t(18, 16).Tipo, 5);
    EXPECT_EQ(BuscaFilaBaja(t), 0); // an empty board
}

using Layout = std::array<const char*, 9>; // rows 0..8, '#' where the shape leaves a gap

// The shapes' masked cells, as the game defines them, by shape number.
const char* const kNone = ".................";
const Layout kLayouts[] = {
    {kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone}, // the square
    {kNone, "..##........##...", "..###...#...###..", ".......##........", "........#........", kNone,
     "......#####......", kNone, kNone},
    {kNone, "##............###", "##.............##", "#.......#......##", "#.......##......#",
     "#.......#......##", "##.............##", "##............###", kNone},
    {kNone, "..#...#...#...#..", kNone, "..#...#...#...#..", kNone, "..#...#...#...#..", kNone,
     "..#...#...#...#..", "..##..##..##..##."},
    {kNone, ".#...#...#...#...", ".##..##..##..##..", kNone, kNone, kNone, kNone, ".##..##..##..##..",
     "..#...#...#...#.."},
};

class EngineScreenTest : public EngineFixture {
protected:
    // Rows 0..8 read with '#' where a cell holds `gap` and '.' elsewhere.
    void expectLayout(int16_t gap, const Layout& expected, int shape) const
    {
        for (int r = 0; r < 9; ++r) {
            std::string row;
            for (int c = 0; c < 17; ++c)
                row += code(c, r) == gap ? '#' : '.';
            EXPECT_EQ(row, expected[r]) << "shape " << shape << ", row " << r;
        }
    }
};

TEST_F(EngineScreenTest, ANewScreenReseedsDrawsEveryCellAndTurnsTheCannonUp)
{
    // Bricks, loss row, level, score and counters per screen: the screens sim
    // script; where every piece is stored, the soak.
    engine.aim(100);
    const auto [reseeds, drawn] = std::pair{random.reseeds(), random.drawn()};
    engine.NuevaPantalla(4);
    // One reseed, then a number for every cell of rows 0..8 and the two pieces.
    EXPECT_EQ(random.reseeds(), reseeds + 1);
    EXPECT_EQ(random.drawn(), drawn + 9 * 17 + 2);
    EXPECT_EQ(engine.grados(), 90);
}

TEST_F(EngineScreenTest, EveryShapeLeavesItsCellsEmptyOnEasyAndStonyOnHard)
{
    for (int16_t shape = 0; shape < 5; ++shape) {
        engine.setForma(shape);
        engine.setLevel(0);
        engine.NuevaPantalla(0);
        expectLayout(kEmpty, kLayouts[shape], shape);
        if (shape == 0)
            continue; // the square on Hard has random stones, below
        engine.setLevel(1);
        engine.NuevaPantalla(0);
        expectLayout(kStone, kLayouts[shape], shape);
    }
}

TEST_F(EngineScreenTest, RandomShapeIsDrawnAgainEveryScreenAndNeverGivesStones)
{
    // Per screen the shape is drawn as N(4r): 0.99 gives the saw, 0.05 the
    // square, whose cells then draw kind 6 from 0.99, never a stone.
    engine.setForma(5);
    engine.setLevel(1);
    random = FixedSequenceRandom({0.99f}, true);
    engine.NuevaPantalla(0);
    expectLayout(kStone, kLayouts[4], 5);
    random = FixedSequenceRandom({0.05f, 0.99f, 0.99f}, true);
    engine.NuevaPantalla(1);
    EXPECT_EQ(engine.formaActual(), 5);
    expectLayout(kStone, kLayouts[0], 5);
}

TEST_F(EngineScreenTest, PiecesPutOutsideTheFieldOrOfNoKindAreRefusedAndKindsAndGroupSizesClamped)
{
    position({{3, 3, 2}});
    for (const Put& p : std::vector<Put>{{18, 0, 1}, {0, 16, 1}, {3, 3, 8}, {3, 3, -1}})
        engine.put(p.c, p.r, p.code);
    for (int r = 0; r < kBoardRows; ++r)
        for (int c = 0; c < kBoardColumns; ++c)
            EXPECT_EQ(code(c, r), c == 3 && r == 3 ? 2 : 0) << c << "," << r;
    // Kinds to load are kept within the six.
    engine.load(-3, 9);
    EXPECT_EQ(engine.ficha(), 0);
    EXPECT_EQ(engine.siguiente(), 5);
    engine.load(9, -3);
    EXPECT_EQ(engine.ficha(), 5);
    EXPECT_EQ(engine.siguiente(), 0);
    // So are the group size, within 3 to 6, and the shape, within the six.
    for (const auto& [asked, kept] : {std::pair{2, 3}, {7, 6}}) {
        engine.setCombinaciones(static_cast<int16_t>(asked));
        EXPECT_EQ(engine.combinaciones(), kept);
    }
    for (const auto& [asked, kept] : {std::pair{-1, 0}, {6, 5}}) {
        engine.setForma(static_cast<int16_t>(asked));
        EXPECT_EQ(engine.formaActual(), kept);
    }
}

TEST(Numbers, HalvesGoToTheEvenNeighbour)
{
    const std::pair<double, int> cases[] = {{92.5, 92}, {93.5, 94}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2},
                                            {4.5, 4}}; // 5 r with r = 0.9 gives kind 4, not 5
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(N(value), expected) << value;
        EXPECT_EQ(N(static_cast<float>(value)), expected) << value << "f";
    }
}

using EngineShotTest = EngineFixture;

TEST_F(EngineShotTest, TheCannonTurnsWithinTwoAndOneHundredSeventyEight)
{
    // The mouse's angle N(270 - x), halves to even, clamped.
    struct Case { float x; int16_t angle; };
    for (const Case& k : {Case{-500, 178}, Case{91, 178}, Case{92, 178}, Case{93, 177}, Case{180.5f, 90},
                          Case{181.5f, 88}, Case{267, 3}, Case{268, 2}, Case{269, 2}, Case{900, 2}})
        EXPECT_EQ(angleForMouseX(k.x), k.angle) << k.x;
    // Any other way of aiming is held to the same range.
    for (const auto& [asked, angle] : {std::pair{-7, 2}, {1, 2}, {2, 2}, {178, 178}, {179, 178}, {400, 178}}) {
        EXPECT_EQ(engine.aim(asked), angle) << asked;
        EXPECT_EQ(engine.grados(), angle) << asked;
    }
}

TEST_F(EngineShotTest, ShotEventsFollowTheFlightAndEveryShotReseedsOnce)
{
    // Steps and resting cell per angle: the flight sim script. Frames show
    // the centre 12 pixels up and left.
    struct Case { int16_t bricks, angle; int steps, rebounds; PixelPoint first, last; };
    for (const Case& k : {Case{2, 90, 35, 0, {209, 398}, {209, 68}}, Case{0, 45, 56, 1, {216, 401}, {230, 19}},
                          Case{0, 174, 378, 9, {199, 407}, {99, 14}}}) {
        position({}, 3, k.bricks);
        const int reseeds = random.reseeds();
        engine.aim(k.angle);
        const Turn turn = engine.shoot();
        EXPECT_EQ(random.reseeds(), reseeds + 1) << k.angle;
        EXPECT_FALSE(turn.seed) << "a fixed sequence gives no seed";
        EXPECT_EQ(engine.usadas(), 1) << "counted from 0";
        // One frame per step but the last; a rebound sound per rebound.
        const auto frames = eventsOf<FlightFrame>(turn);
        ASSERT_EQ(frames.size(), static_cast<std::size_t>(k.steps - 1)) << k.angle;
        EXPECT_EQ(frames.front().at, k.first) << k.angle;
        EXPECT_EQ(frames.back().at, k.last) << k.angle;
        EXPECT_EQ(frames.front().kind, 3);
        EXPECT_EQ(eventsOf<Rebounded>(turn).size(), static_cast<std::size_t>(k.rebounds)) << k.angle;
    }
    // A shot that lands without flying reseeds too.
    engine.landAt({3, 0});
    EXPECT_EQ(random.reseeds(), 4);
}

using EngineFallsTest = EngineFixture;

TEST_F(EngineFallsTest, CheerChangesAtFourFallenAndTheFallLastsUntilTheHighestPieceLeavesTheField)
{
    // `fallen` loose pieces in a row from column 0; a shot of kind 5 (code 6)
    // rests at (16, 0), where it joins nothing. Row 1 without bricks starts
    // at y = 25: 45 frames of 10 px, row 14 at 350: 12. Under 4 brick rows
    // it starts at 450, but the fall counts from 420 at the latest: 5.
    struct Case { int16_t bricks; int row, fallen, frames; const char* cheer; PixelPoint from; };
    for (const Case& k : {Case{0, 1, 1, 45, "great1.wav", {12, 25}}, Case{0, 3, 3, 40, "great1.wav", {12, 75}},
                          Case{0, 3, 4, 40, "great2.wav", {12, 75}}, Case{0, 14, 1, 12, "great1.wav", {0, 350}},
                          Case{4, 14, 1, 5, "great1.wav", {0, 450}}}) {
        std::vector<Put> loose;
        for (int c = 0; c < k.fallen; ++c)
            loose.push_back({c, k.row, 2});
        position(loose, 5, k.bricks);
        const Turn turn = engine.landAt({16, 0});
        EXPECT_EQ(soundsOf(turn), (std::vector<std::string>{"shoot.wav", k.cheer})) << k.fallen;
        const auto fell = eventsOf<PiecesFell>(turn);
        ASSERT_EQ(fell.size(), 1u);
        ASSERT_EQ(fell[0].pieces.size(), static_cast<std::size_t>(k.fallen));
        EXPECT_EQ(fell[0].pieces[0].from, k.from) << k.row;
        EXPECT_EQ(fell[0].pieces[0].code, 2);
        EXPECT_EQ(fell[0].frames, k.frames) << k.row << " " << k.bricks;
    }
}

TEST_F(EngineFallsTest, TheSeventhBarrenShotBlowsTheDynamiteAndLowersEveryPieceMarginsToo)
{
    // A board that hangs whole, with a piece in the margin column.
    position({{8, 0, 1}, {8, 1, 2}, {17, 2, 4}}, 5);
    engine.setFuse(5);
    const Turn sixth = engine.landAt({10, 0});
    EXPECT_EQ(eventsOf<FuseBurnt>(sixth).at(0).frame, 6);
    EXPECT_TRUE(eventsOf<DynamiteExploded>(sixth).empty());
    engine.put(4, 15, 2); // and one in the margin row
    const Turn seventh = engine.landAt({12, 0});
    EXPECT_EQ(eventsOf<DynamiteExploded>(seventh).size(), 1u);
    for (const auto& [cell, y] : {std::pair{Cell{8, 1}, 50}, {Cell{17, 2}, 75}, {Cell{12, 0}, 25}, {Cell{4, 15}, 400}})
        EXPECT_EQ(engine.board()(cell.col, cell.row).Y, y) << cell.col << "," << cell.row;
    EXPECT_EQ(soundsOf(seventh), (std::vector<std::string>{"shoot.wav", "boom.wav", "down1.wav"}));
    EXPECT_TRUE(eventsOf<SoundPlayed>(seventh).at(1).synchronous);
    const auto lowered = eventsOf<BoardLowered>(seventh);
    ASSERT_EQ(lowered.size(), 1u);
    EXPECT_EQ(lowered[0].ladrillos, 1);
    EXPECT_EQ(lowered[0].pieces.size(), 6u);
}

} // namespace
} // namespace quibix::testing
