#include "ui/EditorLauncher.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>

namespace quibix {

EditorLauncher::EditorLauncher(QWidget* window) : QObject(window), window_(window) {}

void EditorLauncher::open(const std::filesystem::path& file)
{
    const QString name = QFile::decodeName(file.c_str());
    // A child rather than a detached process, so its exit status tells
    // whether the desktop found a program for the file. If the game ends
    // first, only the opener is stopped; the editor it started stays open.
    auto* opener = new QProcess(this);
    opener->setProgram(QStringLiteral("xdg-open"));
    opener->setArguments({name});
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    opener->setStandardInputFile(QProcess::nullDevice());
    connect(opener, &QProcess::finished, this, [this, opener, name](int code, QProcess::ExitStatus status) {
        // xdg-open says 2 for a file that is not there.
        if (status == QProcess::NormalExit && code == 2)
            report(QStringLiteral("The file is not there any more."), name);
        else if (status == QProcess::NormalExit && code != 0)
            report(QStringLiteral("The desktop found no program to show text files."), name);
        opener->deleteLater();
    });
    connect(opener, &QProcess::errorOccurred, this, [this, opener, name](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        report(QStringLiteral("xdg-open, which starts the desktop's text editor, is not installed."),
               name);
        opener->deleteLater();
    });
    opener->start();
}

void EditorLauncher::report(const QString& reason, const QString& file)
{
    // Not modal: it may arrive in the middle of a turn, which must not be
    // re-entered.
    const QString name = QFileInfo(file).fileName();
    auto* box = new QMessageBox(QMessageBox::Information, name,
                                QStringLiteral("%1 could not be opened. %2\n\n"
                                               "Any text editor can show it:\n%3")
                                    .arg(name, reason, file),
                                QMessageBox::Ok, window_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

} // namespace quibix
