// Setting up a screen: the counters, the six starting shapes cell by cell,
// stones, and the order of the draws.
#include "unit/EngineFixture.h"

#include <array>

namespace quibix::testing {
namespace {

using Layout = std::array<const char*, 9>; // rows 0..8, '#' where the shape leaves a gap

// The shapes' masked cells, as the game defines them; the square has none.
const char* const kNone = ".................";
const Layout kSquare = {kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone};
const Layout kFace = {".................", "..##........##...", "..###...#...###..",
                      ".......##........", "........#........", ".................",
                      "......#####......", ".................", "................."};
const Layout kDiamond = {".................", "##............###", "##.............##",
                         "#.......#......##", "#.......##......#", "#.......#......##",
                         "##.............##", "##............###", "................."};
const Layout kColumns = {".................", "..#...#...#...#..", ".................",
                         "..#...#...#...#..", ".................", "..#...#...#...#..",
                         ".................", "..#...#...#...#..", "..##..##..##..##."};
const Layout kSaw = {".................", ".#...#...#...#...", ".##..##..##..##..",
                     ".................", ".................", ".................",
                     ".................", ".##..##..##..##..", "..#...#...#...#.."};

class EngineScreenTest : public EngineFixture {
protected:
    // Rows 0..8 with '#' where a cell holds `gap` and '.' elsewhere.
    std::array<std::string, 9> read(int16_t gap) const
    {
        std::array<std::string, 9> rows;
        for (int r = 0; r < 9; ++r)
            for (int c = 0; c < 17; ++c)
                rows[r] += code(c, r) == gap ? '#' : '.';
        return rows;
    }
    static void expectLayout(const std::array<std::string, 9>& actual, const Layout& expected, int shape)
    {
        for (int r = 0; r < 9; ++r)
            EXPECT_EQ(actual[r], expected[r]) << "shape " << shape << ", row " << r;
    }
};

TEST_F(EngineScreenTest, ANewScreenReseedsDrawsEveryCellAndResetsTheTurnCounters)
{
    // Bricks, loss row and level per screen: the screens sim script.
    for (const int16_t screen : {0, 4}) {
        engine.NuevaPantalla(0);
        engine.aim(100);
        engine.setScore(1234);
        engine.setUsed(3);
        engine.setFuse(4);
        const auto [reseeds, drawn] = std::pair{random.reseeds(), random.drawn()};
        engine.NuevaPantalla(screen);
        // One reseed, then a number for every cell of rows 0..8 and the two pieces.
        EXPECT_EQ(random.reseeds(), reseeds + 1);
        EXPECT_EQ(random.drawn(), drawn + 9 * 17 + 2);
        EXPECT_EQ(engine.score(), screen == 0 ? 0 : 1234);
        EXPECT_EQ(engine.board()(0, 0).Y, 25 * screen);
        EXPECT_EQ(engine.grados(), 90);
        EXPECT_EQ(engine.mecha(), 0);
        EXPECT_EQ(engine.usadas(), 0);
    }
}

TEST_F(EngineScreenTest, EveryShapeLeavesItsCellsEmptyOnEasyAndStonyOnHard)
{
    const Layout* layouts[] = {&kSquare, &kFace, &kDiamond, &kColumns, &kSaw};
    for (int16_t shape = 0; shape < 5; ++shape) {
        engine.setForma(shape);
        engine.setLevel(0);
        engine.NuevaPantalla(0);
        expectLayout(read(kEmpty), *layouts[shape], shape);
        if (shape == 0)
            continue; // the square on Hard has random stones, below
        engine.setLevel(1);
        engine.NuevaPantalla(0);
        expectLayout(read(kStone), *layouts[shape], shape);
        for (int c = 0; c < 17; ++c)
            EXPECT_EQ(code(c, 9), kEmpty);
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
    expectLayout(read(kStone), kSaw, 5);
    random = FixedSequenceRandom({0.05f, 0.99f, 0.99f}, true);
    engine.NuevaPantalla(1);
    EXPECT_EQ(engine.formaActual(), 5);
    expectLayout(read(kStone), kSquare, 5);
}

TEST_F(EngineScreenTest, PiecesPutOutsideTheFieldOrOfNoKindAreRefusedAndKindsLoadedClamped)
{
    position({{3, 3, 2}});
    for (const Put& p : std::vector<Put>{{18, 0, 1}, {0, 16, 1}, {3, 3, 8}, {3, 3, -1}})
        engine.put(p.c, p.r, p.code);
    for (int r = 0; r < kBoardRows; ++r)
        for (int c = 0; c < kBoardColumns; ++c)
            EXPECT_EQ(code(c, r), c == 3 && r == 3 ? 2 : 0) << c << "," << r;
    EXPECT_EQ(engine.board()(3, 3).Cae, 0);
    // Kinds to load are kept within the six.
    engine.load(-3, 9);
    EXPECT_EQ(engine.ficha() * 10 + engine.siguiente(), 5);
    engine.load(9, -3);
    EXPECT_EQ(engine.ficha() * 10 + engine.siguiente(), 50);
}

} // namespace
} // namespace quibix::testing
