// Quibix: reads the command line, finds the game's folders, builds the
// window, the sound and the game, and runs the events.
#include "app/AudioModule.h"
#include "app/CommandLine.h"
#include "app/QuitSignals.h"
#include "app/WindowScale.h"
#include "form/Form1.h"
#include "render/Canvas.h"
#include "game/Random.h"
#include "storage/AppPaths.h"
#include "storage/UserFiles.h"
#include "ui/MainWindow.h"
#include "ui/StageLayout.h"
#include "ui/WindowPrefs.h"
#include "ui/WindowSizing.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QTimer>

#include <malloc.h>

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>

namespace {

// The folder of the running program, found before Qt is started so that
// --help can name the files without a display.
std::filesystem::path programFolder(const char* argv0)
{
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty())
        exe = std::filesystem::absolute(argv0 ? argv0 : "quibix", ec);
    return exe.parent_path();
}

// What the window manager puts round the window, in screen pixels (a
// title bar; it does not grow with the game's scale). Only known once the
// window is on screen, so the fit check counts what common ones draw.
constexpr int kTitleBarHeight = 32;

// The window at scale 1 with its menu bar, in unscaled pixels: what has to
// fit on the screen, with the title bar.
QSize windowWithMenuBar()
{
    QMenuBar probe;
    probe.addMenu(QStringLiteral("File"));
    return {quibix::kStageSize.width(), quibix::kStageSize.height() + probe.sizeHint().height()};
}

double screenFactor()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}

QSize availableDevicePixels()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QSize logical = screen->availableGeometry().size();
    return (QSizeF(logical) * screen->devicePixelRatio()).toSize();
}

QIcon gameIcon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/quibix-%1.png").arg(size), QSize(size, size));
    return icon;
}

int16_t startScreenFromEnvironment()
{
    const char* value = std::getenv("QUIBIX_START_SCREEN");
    if (value == nullptr)
        return 0;
    const int screen = std::atoi(value);
    return static_cast<int16_t>(screen >= 1 && screen <= 4 ? screen : 0);
}

} // namespace

int main(int argc, char** argv)
{
    // One heap for every thread. The synthesiser is made and freed on a
    // thread of its own; in a heap of that thread's own, what it freed
    // stays resident (the top of such a heap is only given back past a
    // threshold that its sound font's samples have raised), and music
    // switched off would keep some 5 MB it no longer uses.
    mallopt(M_ARENA_MAX, 1);
    using quibix::CommandLine;
    const CommandLine options = quibix::parseCommandLine({argv + std::min(argc, 1), argv + argc});
    if (options.action == CommandLine::Action::Error) {
        std::cerr << "quibix: " << options.error << '\n' << quibix::usageText();
        return 2;
    }
    const quibix::GameFolders folders = quibix::locateGameFolders(programFolder(argv[0]), std::getenv);
    if (options.action == CommandLine::Action::Help) {
        std::cout << quibix::helpText(folders);
        return 0;
    }
    if (options.action == CommandLine::Action::Version) {
        std::cout << quibix::versionText();
        return 0;
    }
    // A replay that cannot be played is said before any window opens.
    std::optional<quibix::Replay> replay;
    if (!options.replay.empty()) {
        std::string error;
        replay = quibix::readReplay(options.replay, &error);
        if (!replay) {
            std::cerr << "quibix: cannot watch " << error << '\n';
            return 2;
        }
    }

    const quibix::DesktopScaleEnvironment desktopScale;
    if (options.scale > 0)
        quibix::forceScale(options.scale);
    else
        quibix::preferWholeScale();
    std::optional<QApplication> app;
    app.emplace(argc, argv);
    // The sprites and the drawing surfaces are made on the other core while
    // the window is measured and built.
    quibix::Canvas::prepareAhead();
    // Never larger than the screen: the factor only shows once Qt runs, so
    // a window that would not fit starts Qt again at a factor that does.
    const double wanted = screenFactor();
    const double fit = quibix::fittingScale(wanted, windowWithMenuBar(),
                                            availableDevicePixels() - QSize(0, kTitleBarHeight));
    if (std::abs(fit - wanted) > 1e-6) {
        std::cerr << "quibix: the window does not fit the screen at scale " << wanted
                  << ", using " << fit << '\n';
        quibix::Canvas::waitAhead(); // its pictures are read through Qt
        app.reset();
        quibix::forceScale(static_cast<int>(fit));
        app.emplace(argc, argv);
    }
    desktopScale.restore();

    QApplication::setApplicationName(QStringLiteral("Quibix"));
    QApplication::setApplicationVersion(QString::fromLatin1(quibix::kVersion));
    QApplication::setDesktopFileName(QStringLiteral("org.quibix.Quibix"));
    // The captions ask for the classic comic font; the free look-alike
    // stands in where it is missing.
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));

    if (!folders.problem.empty())
        std::cerr << "quibix: " << folders.problem << '\n';
    std::string folderError;
    if (!quibix::prepareUserFolder(folders, &folderError))
        std::cerr << "quibix: " << folderError << "; high scores and settings cannot be kept\n";
    for (const auto& root : folders.skinRoots()) {
        if (root != folders.appFolder)
            quibix::addSkinFolder(folders.appFolder, root);
    }

    quibix::MainWindow window;
    const std::function<void(int)> waitFor = [&window](int ms) { window.waitFor(ms); };
    quibix::LateAudio audio;
    quibix::ClockSeeds clock;
    quibix::SeededRandom random(clock);
    quibix::Engine rules(random);
    quibix::Form1 form(folders.appFolder, window, audio.effects(), audio.music(), random, rules);
    form.setUserFolder(folders.userFolder);
    form.setStartScreen(startScreenFromEnvironment());
    window.attach(form);
    quibix::closeOnQuitSignals(window);

    form.Form_Load();
    // The window as the player left it, unless the command line asks for
    // a scale: then that, in a window of the game's size.
    QSettings windowSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("quibix"),
                             QStringLiteral("quibix"));
    const bool remember = options.scale == 0;
    if (remember) {
        window.sizing().showAs(quibix::loadWindowPrefs(windowSettings));
    } else {
        window.sizing().sizeForScale(1);
        window.show();
    }
    // Its icon's eight sizes are decoded once it shows: the window system
    // takes a new icon at any time.
    QTimer::singleShot(0, [] { QApplication::setWindowIcon(gameIcon()); });
    // The gamepads and the sound arrive once the window shows, on a thread
    // of their own; what the game asks of the sound meanwhile waits for it,
    // the game does not. The gamepads are set up first and whole: SDL's
    // parts must never start side by side (the sound's device opens on a
    // thread of its own as soon as it arrives). They are polled on the
    // window's thread.
    QTimer::singleShot(0, [&audio, &waitFor, &window, folder = programFolder(argv[0])] {
        audio.arriveFrom([&waitFor, &window, folder] {
            if (quibix::MakeGamepads* make = quibix::loadGamepadModule(folder)) {
                // Freed here if the window is gone before it takes them.
                auto pads = std::make_shared<std::unique_ptr<quibix::GamepadPort>>(make());
                QMetaObject::invokeMethod(
                    &window, [&window, pads] { window.useGamepads(std::move(*pads)); }, Qt::QueuedConnection);
            }
            return quibix::loadAudioModule(folder, waitFor);
        });
    });
    if (replay)
        window.watchSoon(std::move(*replay));
    const int status = QApplication::exec();
    if (remember)
        quibix::saveWindowPrefs(windowSettings, window.sizing().prefs());
    return status;
}
