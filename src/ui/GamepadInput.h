#pragma once
// The gamepad in the window: polled about once a frame, its buttons turned
// into the game's commands, or into OK and Cancel of the prompt open.
#include "ui/GamepadControl.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

namespace quibix {

class GamepadInput final : public QObject {
    Q_OBJECT
public:
    // `playing` tells whether a game runs (else the title screen shows),
    // `watching` whether a recorded game is being watched.
    GamepadInput(std::unique_ptr<GamepadPort> pads, std::function<bool()> playing,
                 std::function<bool()> watching, QObject* parent);
    ~GamepadInput() override;

    // One look at the pads (the timer's work; tests call it directly).
    void poll();

signals:
    void turned(int degrees);
    void commanded(PlayerCommand command);
    void stopWatchingAsked();

private:
    PadPlace place() const;

    std::unique_ptr<GamepadPort> pads_;
    std::function<bool()> playing_;
    std::function<bool()> watching_;
    GamepadControl control_;
    QTimer timer_;
    QElapsedTimer clock_;
};

} // namespace quibix
