#pragma once
// Opens a text file with the desktop's default handler (xdg-open) without
// waiting for the editor. A failure to open it is told to the player in a
// message that does not hold up the game.
#include <QObject>

#include <filesystem>

class QWidget;

namespace quibix {

class EditorLauncher final : public QObject {
    Q_OBJECT
public:
    // Messages are shown over `window`.
    explicit EditorLauncher(QWidget* window);

    void open(const std::filesystem::path& file);

private:
    void report(const QString& reason, const QString& file);

    QWidget* window_;
};

} // namespace quibix
