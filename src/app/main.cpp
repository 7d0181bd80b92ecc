// Quibix: builds the window, the sound and the game, and runs the events.
#include "audio/SdlEffects.h"
#include "audio/SilentAudio.h"
#include "form/Form1.h"
#include "game/Random.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QFile>
#include <QFont>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quibix"));
    // The captions ask for the classic comic font; the free look-alike
    // stands in where it is missing.
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));

    const std::filesystem::path appFolder(
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());

    quibix::MainWindow window;
    quibix::SdlEffects effects([&window](int ms) { window.waitFor(ms); });
    quibix::SilentMusicDevice music;
    quibix::ClockSeededRandom random;
    quibix::Form1 form(appFolder, window, effects, music, random);
    window.attach(form);

    form.Form_Load();
    window.show();
    return QApplication::exec();
}
