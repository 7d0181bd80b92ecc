#include "ui/UserInput.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>

namespace quibix {

UserInput::UserInput(QObject* parent) : QObject(parent) {}

UserInput::~UserInput()
{
    uninstall();
}

bool UserInput::isUserInput(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::InputMethod:
        return true;
    default:
        return false;
    }
}

bool UserInput::eventFilter(QObject* watched, QEvent* event)
{
    if (isUserInput(event)) {
        const QEvent::Type type = event->type();
        if (interrupt_ && (type == QEvent::KeyPress || type == QEvent::MouseButtonPress ||
                           type == QEvent::NonClientAreaMouseButtonPress))
            interrupt_();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void UserInput::install()
{
    if (installed_ || !QCoreApplication::instance())
        return;
    QCoreApplication::instance()->installEventFilter(this);
    installed_ = true;
}

void UserInput::uninstall()
{
    if (!installed_ || !QCoreApplication::instance())
        return;
    QCoreApplication::instance()->removeEventFilter(this);
    installed_ = false;
}

void UserInput::watch(std::function<void()> interrupt)
{
    interrupt_ = std::move(interrupt);
    install();
}

void UserInput::endWatch()
{
    interrupt_ = nullptr;
    // Whatever was pressed to stop it is not also a click on the title.
    FlushInput();
    if (!locked_)
        uninstall();
}

void UserInput::DisableInput()
{
    locked_ = true;
    if (suspended_ == 0)
        install();
}

void UserInput::FlushInput()
{
    const bool wasInstalled = installed_;
    install();
    // Input the window system has queued (also what pauses held back) comes
    // out now and lands in the filter. sync() also fetches what the server
    // still had for us.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::sync();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (!wasInstalled)
        uninstall();
}

void UserInput::EnableInput()
{
    FlushInput();
    locked_ = false;
    uninstall();
}

void UserInput::suspend()
{
    if (suspended_++ == 0)
        uninstall();
}

void UserInput::resume()
{
    if (suspended_ > 0 && --suspended_ == 0 && locked_)
        install();
}

} // namespace quibix
