#pragma once
// Playing from the keyboard: Left and Right turn the cannon (held, they
// keep turning, faster and faster), Space and Up fire, Return on the title
// screen starts a game. Keys with Ctrl or Alt are left to the menus.
#include "ui/HeldTurn.h"
#include "ui/PlayerCommands.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

class QKeyEvent;
class QWidget;

namespace quibix {

class KeyboardControl final : public QObject {
    Q_OBJECT
public:
    // Listens to the keys typed into `window`; `playing` tells whether a
    // game runs (the arrows and Space mean nothing on the title screen,
    // where the buttons keep them).
    KeyboardControl(QWidget* window, std::function<bool()> playing);
    ~KeyboardControl() override;

    // Forgets the keys held: a shot or a prompt takes the keys away, and
    // their releases go elsewhere.
    void clear();

signals:
    void turned(int degrees);
    void commanded(PlayerCommand command);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPressed(const QKeyEvent& key);
    bool keyReleased(const QKeyEvent& key);
    void tick();
    int64_t now() const { return clock_.elapsed(); }

    QWidget* window_;
    std::function<bool()> playing_;
    HeldTurn turn_;
    // The last arrow let go, with the hold as it was, in case the release
    // was the window system repeating the key.
    struct Release {
        int key = 0;
        quint64 timestamp = 0;
        HeldTurn before;
    };
    std::optional<Release> released_;
    QTimer timer_;
    QElapsedTimer clock_;
};

} // namespace quibix
