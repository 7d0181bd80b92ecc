#include "ui/GamepadInput.h"

#include "ui/AboutBox.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace quibix {

namespace {
constexpr int kPollMs = 16; // about a screen frame
// With no controller plugged in, a look twice a second finds one being
// plugged in soon enough and keeps an idle game idle.
constexpr int kIdlePollMs = 500;
} // namespace

GamepadInput::GamepadInput(std::unique_ptr<GamepadPort> pads, std::function<bool()> playing,
                           std::function<bool()> watching, QObject* parent)
    : QObject(parent), pads_(std::move(pads)), playing_(std::move(playing)), watching_(std::move(watching))
{
    clock_.start();
    timer_.setInterval(kPollMs);
    connect(&timer_, &QTimer::timeout, this, &GamepadInput::poll);
    timer_.start();
}

GamepadInput::~GamepadInput() = default;

PadPlace GamepadInput::place() const
{
    // A watched game's messages close themselves: a button stops the game.
    if (watching_())
        return PadPlace::Watching;
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return playing_() ? PadPlace::Game : PadPlace::Title;
    if (qobject_cast<QInputDialog*>(modal))
        return PadPlace::NameBox;
    if (qobject_cast<QMessageBox*>(modal) || qobject_cast<AboutBox*>(modal))
        return PadPlace::MessageBox;
    return PadPlace::OtherDialog;
}

void GamepadInput::poll()
{
    const PadState pad = pads_->poll();
    const int interval = pad.connected ? kPollMs : kIdlePollMs;
    if (timer_.interval() != interval)
        timer_.setInterval(interval);
    const PadActions actions = control_.update(pad, place(), clock_.elapsed());
    if (actions.turn != 0)
        emit turned(actions.turn);
    if (actions.command)
        emit commanded(*actions.command);
    if (actions.stopWatching)
        emit stopWatchingAsked();
    if (actions.accept || actions.cancel) {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            if (actions.accept)
                dialog->accept(); // the name as shown, or OK
            else
                dialog->reject();
        }
    }
}

} // namespace quibix
