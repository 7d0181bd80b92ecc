// How long the rules take on this machine: an aiming redraw, one turn with
// the animations' pauses off, and a real-time 90-degree shot against the
// 39 frames of 17 ms it should last.
#include "audio/SilentAudio.h"
#include "fakes/FakePorts.h"
#include "game/Form1.h"
#include "game/FramePacer.h"
#include "game/Random.h"

#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
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
    testing::SeededRandom random(12345);
    Form1 g(folder, window, effects, music, random);
    g.Form_Load();
    g.blnFX = kFalse;
    g.cmdStart_Click();

    // 1. Aiming: one cannon redraw per mouse move.
    {
        constexpr int kRuns = 20000;
        const auto start = Clock::now();
        for (int i = 0; i < kRuns; ++i)
            g.PintaCañon(static_cast<int16_t>(2 + i % 177));
        std::printf("aiming redraw (PintaCañon):            %8.2f us\n", 1000.0 * millisSince(start) / kRuns);
    }

    // 2. One turn's rules on a full starting board, pauses returning at
    //    once: the shot completes a group of the column (8, 9) (8, 10) that
    //    hangs under the block, and the three pieces below it fall.
    {
        constexpr int kRuns = 300;
        constexpr int16_t kKind = 2;
        double total = 0;
        for (int i = 0; i < kRuns; ++i) {
            g.cmdStart_Click();
            const std::array<int16_t, 5> column{kKind + 1, kKind + 1, 5, 6, 5};
            for (int r = 9; r <= 13; ++r) {
                Casilla& cell = g.tablero(8, r);
                cell.Tipo = column[r - 9];
            }
            g.canvas.DibujaArray(g.tablero, g.intLadrillos, true);
            g.intFicha = kKind;
            g.intUsadas = 1;
            const auto start = Clock::now();
            g.resolveTurn(9, 10, 90, kPointerDefault);
            total += millisSince(start);
            if (g.tablero(8, 13).Tipo != 0)
                std::printf("(the column did not fall)\n");
        }
        std::printf("one turn, full board, no pauses:       %8.3f ms\n", total / kRuns);
    }

    // 3. A real-time shot straight up on an empty board.
    {
        FramePacer pacer([](FramePacer::Clock::time_point until) { std::this_thread::sleep_until(until); });
        window.onPause = [&](int ms) { pacer.pause(ms); };
        constexpr int kRuns = 5;
        double total = 0, worst = 0;
        for (int i = 0; i < kRuns; ++i) {
            g.cmdStart_Click();
            BorraTablero(g.tablero);
            g.canvas.DibujaArray(g.tablero, 0, true);
            g.intGrados = 90;
            std::this_thread::sleep_for(std::chrono::milliseconds(100)); // a fresh animation
            const auto start = Clock::now();
            g.Picture1_Click();
            const double ms = millisSince(start);
            total += ms;
            worst = std::max(worst, ms);
        }
        std::printf("90-degree shot, real pauses:           %8.1f ms (worst %.1f; 39 x 17 = 663)\n",
                    total / kRuns, worst);
    }
    return 0;
}
