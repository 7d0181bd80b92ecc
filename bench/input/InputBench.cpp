// From the player's hand to the screen in the real window shell: a key or
// a gamepad button to the redrawn cannon, which should take well under one
// 60 Hz frame (16.7 ms), and a full redraw of the field at scale 4, under
// 2 ms (also with a wholly new image to enlarge first). Runs on Qt's offscreen platform, so it measures our own work.
#include "audio/SilentAudio.h"
#include "form/Form1.h"
#include "game/Random.h"
#include "ui/GamepadInput.h"
#include "ui/MainWindow.h"
#include "ui/PlayField.h"
#include "ui/StageLayout.h"
#include "ui/WindowSizing.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

using namespace quibix;
using Clock = std::chrono::steady_clock;

namespace {

double millisSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void writePicture(const std::filesystem::path& file, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(40, 90, 160));
    image.save(QString::fromStdString(file.string()), "JPG");
}

// A gamepad whose state the benchmark sets.
class BenchPads final : public GamepadPort {
public:
    PadState state;
    PadState poll() override { return state; }
};

struct Figures {
    std::vector<double> ms;
    void add(double v) { ms.push_back(v); }
    void print(const char* what)
    {
        std::sort(ms.begin(), ms.end());
        double sum = 0;
        for (double v : ms)
            sum += v;
        std::printf("%-44s mean %7.3f ms, median %7.3f, worst %7.3f (%zu runs)\n", what,
                    sum / static_cast<double>(ms.size()), ms[ms.size() / 2], ms.back(), ms.size());
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    std::filesystem::create_directories(folder / "data");
    std::ofstream(folder / "data" / "shoot.wav") << "RIFF";
    writePicture(folder / "data" / "fondo1.jpg", {442, 460});
    writePicture(folder / "data" / "pareda.jpg", {442, 460});
    writePicture(folder / "data" / "paredb.jpg", {442, 460});
    writePicture(folder / "data" / "banda.jpg", {98, 460});

    MainWindow window;
    SilentEffects effects;
    SilentMusicDevice music;
    NoReseeds fixedSequence;
    SeededRandom random(fixedSequence, 12345);
    Engine rules(random);
    Form1 form(folder, window, effects, music, random, rules);
    window.attach(form);
    auto pads = std::make_unique<BenchPads>();
    BenchPads& pad = *pads;
    window.useGamepads(std::move(pads));
    form.Form_Load();
    window.resize(kStageSize.width() * 4, kStageSize.height() * 4 + 40);
    window.show();
    QApplication::processEvents();
    form.cmdStart_Click();
    QApplication::processEvents();

    auto* field = window.findChild<PlayField*>();
    auto* gamepad = window.findChild<GamepadInput*>();
    std::printf("field drawn at scale %d (%d x %d)\n", field->scale(), field->width(), field->height());

    // 1. An arrow key pressed and released, to the cannon drawn one degree
    //    further on the window's backing store.
    {
        Figures keys;
        for (int i = 0; i < 400; ++i) {
            const int key = i % 2 ? Qt::Key_Left : Qt::Key_Right;
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
            const auto start = Clock::now();
            QApplication::sendEvent(field, &press);
            QApplication::processEvents(); // the repaint it asked for
            keys.add(millisSince(start));
            QApplication::sendEvent(field, &release);
            QApplication::processEvents();
        }
        keys.print("arrow key to the redrawn cannon (scale 4):");
    }

    // 2. The D-pad pressed, to the cannon drawn one degree further.
    {
        Figures buttons;
        for (int i = 0; i < 400; ++i) {
            pad.state = {};
            pad.state.connected = true;
            (i % 2 ? pad.state.left : pad.state.right) = true;
            const auto start = Clock::now();
            gamepad->poll();
            QApplication::processEvents();
            buttons.add(millisSince(start));
            pad.state.left = pad.state.right = false;
            gamepad->poll();
            QApplication::processEvents();
        }
        buttons.print("gamepad D-pad to the redrawn cannon (scale 4):");
    }

    // 3. The whole field painted again at scale 4.
    {
        Figures full;
        for (int i = 0; i < 200; ++i) {
            const auto start = Clock::now();
            field->repaint();
            full.add(millisSince(start));
        }
        full.print("full field redraw at scale 4:");
    }

    // 4. A wholly new field presented and shown at scale 4 (a new screen):
    //    enlarged once, then copied.
    {
        QImage a = field->image().copy(), b = a.copy();
        b.invertPixels();
        Figures fresh;
        for (int i = 0; i < 200; ++i) {
            const auto start = Clock::now();
            field->setImage(i % 2 ? a : b);
            field->repaint();
            fresh.add(millisSince(start));
        }
        fresh.print("new field image shown at scale 4:");
    }
    return 0;
}
