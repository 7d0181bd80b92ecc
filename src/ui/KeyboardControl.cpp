#include "ui/KeyboardControl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QWidget>

#include <optional>

namespace quibix {

namespace {

// About one screen frame: held keys turn the cannon as smoothly as it is drawn.
constexpr int kTickMs = 16;

std::optional<TurnDirection> directionOf(int key)
{
    if (key == Qt::Key_Left)
        return TurnDirection::Left;
    if (key == Qt::Key_Right)
        return TurnDirection::Right;
    return std::nullopt;
}

bool plain(const QKeyEvent& key)
{
    return (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
}

} // namespace

KeyboardControl::KeyboardControl(QWidget* window, std::function<bool()> playing)
    : QObject(window), window_(window), playing_(std::move(playing))
{
    clock_.start();
    timer_.setInterval(kTickMs);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &KeyboardControl::tick);
    qApp->installEventFilter(this);
}

KeyboardControl::~KeyboardControl()
{
    qApp->removeEventFilter(this);
}

void KeyboardControl::clear()
{
    turn_.clear();
    released_.reset();
    timer_.stop();
}

bool KeyboardControl::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (type == QEvent::ApplicationDeactivate) {
        clear();
    } else if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        // Keys typed into the game window (the menu bar keeps its own); a
        // key this passes on comes through again on its way up, unchanged.
        auto* widget = qobject_cast<QWidget*>(watched);
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (widget && widget->window() == window_ && !qobject_cast<QMenuBar*>(widget)) {
            if (type == QEvent::KeyPress ? keyPressed(key) : keyReleased(key))
                return true;
        } else if (widget && type == QEvent::KeyRelease && !key.isAutoRepeat()) {
            // A release that went to a dialog still ends the hold. (The
            // window system's own window sees keys too: not counted.)
            if (auto d = directionOf(key.key()))
                turn_.release(*d, now());
        }
    }
    return QObject::eventFilter(watched, event);
}

bool KeyboardControl::keyPressed(const QKeyEvent& key)
{
    if (!plain(key))
        return false;
    const bool playing = playing_();
    if (const auto d = directionOf(key.key())) {
        if (!playing)
            return false;
        // The window system repeats a held key; the hold has its own pace.
        // A repeat for a key not held (its press came during a shot) starts
        // a hold, so a key kept down after a shot turns again.
        if (key.isAutoRepeat() && turn_.held(*d))
            return true;
        // A repeat not marked as one (the window system's release and press
        // carry one time stamp): the hold goes on as if never let go.
        if (released_ && released_->key == key.key() && key.timestamp() != 0 &&
            key.timestamp() == released_->timestamp) {
            turn_ = released_->before;
            released_.reset();
            timer_.start();
            return true;
        }
        if (const int step = turn_.press(*d, now()))
            emit turned(step);
        timer_.start();
        return true;
    }
    switch (key.key()) {
    case Qt::Key_Space:
    case Qt::Key_Up:
        if (!playing)
            return false;
        if (!key.isAutoRepeat()) // one shot a press
            emit commanded(PlayerCommand::Fire);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (playing)
            return false;
        if (!key.isAutoRepeat())
            emit commanded(PlayerCommand::Start);
        return true;
    default:
        return false;
    }
}

bool KeyboardControl::keyReleased(const QKeyEvent& key)
{
    const auto d = directionOf(key.key());
    if (!d || !turn_.held(*d))
        return false;
    // Repeats come as release and press pairs; only the real release counts.
    if (key.isAutoRepeat())
        return true;
    released_ = Release{key.key(), key.timestamp(), turn_};
    turn_.release(*d, now());
    if (!turn_.turning())
        timer_.stop();
    return true;
}

void KeyboardControl::tick()
{
    if (!turn_.turning()) {
        timer_.stop();
        return;
    }
    if (const int degrees = turn_.advance(now()))
        emit turned(degrees);
}

} // namespace quibix
