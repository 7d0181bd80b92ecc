// The yardstick of the start-up benchmark: the least a Qt Widgets program
// with the game's window shape does to show itself. A main window of the
// game's client size with a menu bar of the same menus, nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    auto* client = new QWidget(&window);
    client->setFixedSize(540, 460);
    window.setCentralWidget(client);
    window.menuBar()->setNativeMenuBar(false);
    const char* menus[][4] = {
        {"File", "New Game", "Stop Game", "Exit"},
        {"Level", "Easy", "Hard", nullptr},
        {"Sound", "Music", "FX Sound", nullptr},
        {"Background", "Change", nullptr, nullptr},
        {"Options", "Choose Pieces", "Choose Skins", "Save Settings"},
        {"Help", "About", "Readme", nullptr},
    };
    for (const auto& items : menus) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromLatin1(items[0]));
        for (int i = 1; i < 4 && items[i]; ++i)
            menu->addAction(QString::fromLatin1(items[i]))->setCheckable(true);
    }
    window.show();
    return QApplication::exec();
}
