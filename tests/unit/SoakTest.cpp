// A bot plays whole games headless: every shape, both levels, every group
// size, random aims. After every turn the board, the pictures and the
// counters must still be what the rules say.
#include "fakes/GameFixture.h"

#include "render/Cannon.h"
#include "render/Module1.h"

#include <cstdlib>
#include <iostream>
#include <random>
#include <string>

namespace quibix::testing {
namespace {

// Loose bounds of the counters: the fuse explodes at its seventh step, the
// loaded and next pieces are sprites 0..5, and a game is lost long before 20
// brick rows.
constexpr int kLastKindSprite = 5;
constexpr int kBrickRowsBound = 20;

long envNumber(const char* name, long fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? std::strtol(text, nullptr, 10) : fallback;
}

// What the resting picture must be: the clean background, the brick rows,
// every piece at its cell, and the two piece slots.
QImage rebuildPicture2(Form1& g)
{
    const Engine& e = g.engine();
    const Canvas& cv = g.surfaces();
    QImage expected = cv.background().copy();
    QImage scratch;
    for (int b = 1; b <= e.ladrillos(); ++b)
        CopyRect(expected, 0, (b - 1) * kSpriteSize, expected.width(), kSpriteSize, cv.bricks(), 0, 0);
    auto draw = [&](int x, int y, int sprite) {
        DibujaTransparente(expected, cv.sprite(sprite), cv.spriteMask(sprite), scratch, x, y, kSpriteSize,
                           kSpriteSize);
    };
    for (int r = 0; r <= kMarginRow; ++r)
        for (int c = 0; c <= kMarginColumn; ++c)
            if (const int16_t t = e.board()(c, r).Tipo; t != kEmpty)
                draw(kSpriteSize * c + SiInpar(static_cast<int16_t>(r), kHalfSprite),
                     kSpriteSize * (e.ladrillos() + r), t - 1);
    draw(kLoadedPieceX, kLoadedPieceY, e.ficha());
    draw(kNextPieceX, kNextPieceY, e.siguiente());
    return expected;
}

// The first rule broken after a turn, or nothing.
std::string brokenRule(Form1& g, bool freshScreen)
{
    const Engine& e = g.engine();
    for (int r = 0; r < kBoardRows; ++r)
        for (int c = 0; c < kBoardColumns; ++c) {
            const Casilla& cell = e.board()(c, r);
            const std::string at = " at (" + std::to_string(c) + ", " + std::to_string(r) + ")";
            const bool margin = c == kMarginColumn + 1 || r == kMarginRow + 1;
            if (cell.Tipo < kEmpty || cell.Tipo > kStone || cell.Cae != 0 || (margin && cell.Tipo != kEmpty))
                return "code " + std::to_string(cell.Tipo) + at;
            const int x = kSpriteSize * c + SiInpar(static_cast<int16_t>(r), kHalfSprite);
            const int y = kSpriteSize * (e.ladrillos() + r);
            if (cell.Tipo != kEmpty && (cell.X != x || cell.Y != y))
                return "a piece stored at " + std::to_string(cell.X) + ", " + std::to_string(cell.Y) + at;
        }
    if (g.surfaces().resting() != rebuildPicture2(g))
        return "the resting picture is out of step with the board";
    // The field shows the resting picture plus the cannon, nothing else.
    const QImage& picture1 = g.surfaces().field();
    QImage shown = picture1.copy();
    if (!freshScreen) {
        g.PintaCanon(e.grados());
        if (picture1 != shown)
            return "the cannon area shows more than the cannon";
    }
    const QRect& cannon = kCannonArea;
    CopyRect(shown, cannon.x(), cannon.y(), cannon.width(), cannon.height(), g.surfaces().resting(), cannon.x(),
             cannon.y());
    if (shown != g.surfaces().resting())
        return "the field shows something the board does not hold";
    if (e.mecha() < 0 || e.mecha() >= kFuseBurnt || e.ladrillos() < 0 || e.ladrillos() > kBrickRowsBound ||
        e.ficha() < 0 || e.ficha() > kLastKindSprite || e.siguiente() < 0 || e.siguiente() > kLastKindSprite)
        return "state out of bounds (fuse " + std::to_string(e.mecha()) + ", bricks " +
               std::to_string(e.ladrillos()) + ")";
    return {};
}

class SoakTest : public GameFixture {};

TEST_F(SoakTest, ThousandsOfTurnsKeepBoardPicturesAndCountersSound)
{
    // QUIBIX_SOAK_SEED and QUIBIX_SOAK_TURNS ask for another or a longer run.
    std::mt19937 bot(static_cast<uint32_t>(envNumber("QUIBIX_SOAK_SEED", 7)));
    window.keepShown = false;
    Form1& g = load();
    std::vector<float> draws(10007); // the game's random values, replayed in a loop
    for (float& d : draws)
        d = std::uniform_real_distribution<float>(0.0f, 1.0f)(bot);
    script(std::move(draws));

#ifdef __SANITIZE_ADDRESS__
    const long turns = envNumber("QUIBIX_SOAK_TURNS", 1200);
#else
    const long turns = envNumber("QUIBIX_SOAK_TURNS", 3000);
#endif
    int games = 0, screensCleared = 0, losses = 0, explosions = 0;
    int32_t lastScore = 0;
    for (long turn = 0; turn < turns; ++turn) {
        SCOPED_TRACE("turn " + std::to_string(turn));
        if (!g.running()) {
            // Every shape on both levels with every group size, in turn.
            g.MenuLevel_Click((games / 6) % 2);
            g.setForma(static_cast<int16_t>(games % 6));
            g.setCombinaciones(static_cast<int16_t>(3 + (games / 12) % 4));
            g.cmdStart_Click();
            ++games;
            lastScore = 0;
            ASSERT_EQ(brokenRule(g, true), "");
        }
        // Random aims seldom clear a screen: in every other game the first
        // screens are cut down to one piece short of a group of the loaded
        // kind around (8, 0) and (9, 0), which the straight shot completes.
        const bool assist = games % 2 == 1 && g.engine().usadas() == 0 && g.engine().pantalla() < 6;
        if (assist) {
            Engine& e = rules();
            e.clearBoard(e.ladrillos());
            constexpr int columns[] = {8, 9, 7, 10, 6};
            for (int i = 0; i < e.combinaciones() - 1; ++i)
                e.put(columns[i], 0, static_cast<int16_t>(e.ficha() + 1));
            g.redrawField();
        }
        const int16_t pantalla = g.engine().pantalla();
        const int angle = assist ? 90 : std::uniform_int_distribution<int>(2, 178)(bot);
        g.Picture1_MouseMove(static_cast<float>(270 - angle), 200.0f);
        g.Picture1_Click();

        ASSERT_EQ(log.count("enable input"), log.count("disable input"));
        explosions += log.count("sound boom.wav");
        log.clear();
        ASSERT_FALSE(g.shotInProgress());
        ASSERT_GE(g.engine().score(), lastScore);
        lastScore = g.engine().score();
        if (!g.running()) {
            ++losses;
            continue;
        }
        const bool fresh = g.engine().pantalla() != pantalla;
        screensCleared += fresh;
        if (!fresh) {
            ASSERT_EQ(g.engine().grados(), angle);
        }
        ASSERT_EQ(brokenRule(g, fresh), "");
    }

    std::cout << "soak: " << turns << " turns, " << games << " games, " << losses << " lost, " << screensCleared
              << " screens cleared, " << explosions << " explosions, " << window.inputs.size()
              << " names asked\n";
    EXPECT_GT(screensCleared, 10);
    EXPECT_GT(window.inputs.size(), 5u);
    EXPECT_GT(losses, 10);
    EXPECT_GT(explosions, 10);
}

} // namespace
} // namespace quibix::testing
