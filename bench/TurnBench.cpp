// How long the rules take on this machine: an aiming redraw, one turn of the
// engine alone, one shown turn with the animations' pauses off, and a
// real-time 90-degree shot against the 39 frames of 17 ms it should last.
#include "audio/SilentAudio.h"
#include "fakes/FakePorts.h"
#include "form/Form1.h"
#include "form/GameRecorder.h"
#include "game/Engine.h"
#include "game/FramePacer.h"
#include "game/Random.h"
#include "storage/ReplayFile.h"

#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

using namespace quibix;
using Clock = std::chrono::steady_clock;

namespace {

double millisSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A flat picture, so the benchmark needs no built artwork.
void writePicture(const std::filesystem::path& file, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(40, 90, 160));
    image.save(QString::fromStdString(file.string()), "JPG");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    std::filesystem::create_directories(folder / "data");
    std::ofstream(folder / "data" / "shoot.wav") << "RIFF";
    writePicture(folder / "data" / "fondo1.jpg", {442, 460});
    writePicture(folder / "data" / "pareda.jpg", {442, 460});
    writePicture(folder / "data" / "paredb.jpg", {442, 460});
    writePicture(folder / "data" / "banda.jpg", {98, 460});

    testing::EventLog log;
    testing::FakeWindow window(log);
    window.keepShown = false;
    SilentEffects effects;
    SilentMusicDevice music;
    // One sequence from a fixed seed, for boards that are the same every run.
    NoReseeds fixedSequence;
    SeededRandom random(fixedSequence, 12345);
    Engine rules(random);
    Form1 g(folder, window, effects, music, random, rules);
    g.Form_Load();
    g.MenuSound_Click(1); // effects off
    g.cmdStart_Click();

    // 1. Aiming: one cannon redraw per mouse move.
    {
        constexpr int kRuns = 20000;
        const auto start = Clock::now();
        for (int i = 0; i < kRuns; ++i)
            g.PintaCanon(static_cast<int16_t>(2 + i % 177));
        std::printf("aiming redraw (PintaCanon):            %8.2f us\n", 1000.0 * millisSince(start) / kRuns);
    }

    // 2. The engine alone: one whole turn at 90 degrees on full starting
    //    boards (every shape and level), from a copy of the set-up engine.
    {
        SeededRandom seeded(fixedSequence, 777);
        constexpr int kBoards = 60, kRunsPerBoard = 500;
        double total = 0;
        std::size_t events = 0;
        for (int b = 0; b < kBoards; ++b) {
            Engine fresh(seeded);
            fresh.setForma(static_cast<int16_t>(b % 6));
            fresh.setLevel(static_cast<int16_t>(b / 6 % 2));
            fresh.NuevaPantalla(0);
            fresh.aim(90);
            for (int i = 0; i < kRunsPerBoard; ++i) {
                Engine e = fresh;
                const auto start = Clock::now();
                const Turn turn = e.shoot();
                total += millisSince(start);
                events += turn.events.size();
            }
        }
        std::printf("one engine turn, full board (90 deg):  %8.2f us (%zu events a turn)\n",
                    1000.0 * total / (kBoards * kRunsPerBoard), events / (kBoards * kRunsPerBoard));
    }

    // 3. One shown turn on a full starting board, pauses returning at once:
    //    a shot straight up (39 frames) completes a group of three at the
    //    foot of the column (8, 9)..(8, 13) that hangs under the block.
    {
        constexpr int kRuns = 300;
        constexpr int16_t kKind = 2;
        double total = 0;
        for (int i = 0; i < kRuns; ++i) {
            g.cmdStart_Click();
            const std::array<int16_t, 5> column{5, 6, 5, kKind + 1, kKind + 1};
            for (int r = 9; r <= 13; ++r)
                rules.put(8, r, column[r - 9]);
            rules.load(kKind, rules.siguiente());
            g.redrawField();
            g.Picture1_MouseMove(180.0f, 0.0f);
            const auto start = Clock::now();
            g.Picture1_Click();
            total += millisSince(start);
            if (g.engine().board()(8, 13).Tipo != 0)
                std::printf("(the group did not vanish)\n");
        }
        std::printf("one shown turn, full board, no pauses: %8.3f ms\n", total / kRuns);
    }

    // 3. A real-time shot straight up on an empty board.
    bool ok = false;
    {
        FramePacer pacer([](FramePacer::Clock::time_point until) { std::this_thread::sleep_until(until); });
        window.onPause = [&](int ms) { pacer.pause(ms); };
        constexpr int kRuns = 5;
        double total = 0, worst = 0;
        for (int i = 0; i < kRuns; ++i) {
            g.cmdStart_Click();
            rules.clearBoard(0);
            g.redrawField();
            g.Picture1_MouseMove(180.0f, 0.0f);
            std::this_thread::sleep_for(std::chrono::milliseconds(100)); // a fresh animation
            const auto start = Clock::now();
            g.Picture1_Click();
            const double ms = millisSince(start);
            total += ms;
            worst = std::max(worst, ms);
        }
        const double mean = total / kRuns;
        ok = std::abs(mean - 663.0) <= 1.0;
        std::printf("90-degree shot, real pauses:           %8.1f ms (worst %.1f; 39 x 17 = 663)\n",
                    mean, worst);
        std::printf("  %s  90-degree shot %.1f ms (target 663 ms within 1 ms)\n", ok ? "PASS" : "FAIL", mean);
    }
    // 4. Recording: what writing a turn down adds to it, and a long game
    //    written to argv[1] for quibix-sim to verify (sim_bench.sh).
    {
        // Trial shots and the real one share each turn's seed, so a trial
        // shows exactly what the shot will do.
        struct TurnSeed final : SeedSource {
            uint32_t seed = 0;
            std::optional<uint32_t> nextSeed() override { return seed; }
        } turnSeed;
        SeededRandom seeded(turnSeed);
        std::mt19937 seeds(99);
        Engine e(seeded);
        GameRecorder recorder;
        recorder.start(0, 3, 0, {0, 1, 2, 3, 4, 5});
        turnSeed.seed = seeds();
        recorder.screen(0, e.NuevaPantalla(0), 1);
        constexpr int kShots = 1000;
        double recording = 0;
        int shots = 0;
        for (; shots < kShots; ++shots) {
            turnSeed.seed = seeds();
            // The angle that leaves the lowest piece highest, then scores
            // most: a careful player who lasts.
            int best = 90;
            std::pair<int, int32_t> bestOutcome{-1000, -1};
            for (int a = 2; a <= 178; a += 2) {
                Engine trial = e;
                trial.aim(a);
                if (trial.shoot().lost())
                    continue;
                const std::pair<int, int32_t> outcome{-BuscaFilaBaja(trial.board()), trial.score()};
                if (outcome > bestOutcome)
                    best = a, bestOutcome = outcome;
            }
            e.aim(best);
            const Turn turn = e.shoot();
            const auto start = Clock::now();
            recorder.shot(static_cast<int16_t>(best), turn.seed);
            recording += millisSince(start);
            if (turn.lost())
                break;
            if (turn.cleared()) {
                turnSeed.seed = seeds();
                recorder.screen(e.pantalla(), e.NuevaPantalla(e.pantalla()), 1);
            }
        }
        const auto game = recorder.finish(shots < kShots ? ReplayEnd::Lost : ReplayEnd::Stopped, e.score(),
                                          e.pantalla());
        shots += shots < kShots; // the losing shot
        const auto start = Clock::now();
        const std::string text = formatReplay(*game);
        const double formatting = millisSince(start);
        std::printf("recording a turn:                      %8.3f us (target 20 us; the whole %d-shot game "
                    "written out in %.2f ms at its end)\n",
                    1000.0 * recording / std::max(shots, 1), shots, formatting);
        if (argc > 1)
            std::ofstream(argv[1], std::ios::binary) << text;
    }
    return ok ? 0 : 1;
}
