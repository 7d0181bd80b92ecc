#include "ui/WindowSizing.h"

#include "ui/GameMenuBar.h"
#include "ui/Stage.h"
#include "ui/StageLayout.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>

#include <algorithm>

namespace quibix {

WindowSizing::WindowSizing(QMainWindow* window, Stage* stage, QMenuBar* bar, GameMenuBar* menus)
    : QObject(window), window_(window), stage_(stage), bar_(bar), menus_(menus)
{
    connect(stage_, &Stage::scaleChanged, this, [this](int scale) {
        if (!full_)
            windowedScale_ = scale;
    });
}

int WindowSizing::menuHeight() const
{
    return bar_->isVisible() ? bar_->height() : bar_->sizeHint().height();
}

QSize WindowSizing::roomForStage() const
{
    const QScreen* screen = window_->screen();
    if (!screen)
        return kStageSize;
    // The window manager's frame, known once the window is on screen.
    const QSize frame = window_->isVisible()
                            ? window_->frameGeometry().size() - window_->geometry().size()
                            : QSize(0, 0);
    return screen->availableGeometry().size() - frame - QSize(0, menuHeight());
}

void WindowSizing::sizeForScale(int scale)
{
    const int fitting = std::min(scale, largestScale(roomForStage()));
    window_->resize(kStageSize.width() * fitting, kStageSize.height() * fitting + menuHeight());
}

void WindowSizing::showAs(const WindowPrefs& prefs)
{
    windowedScale_ = prefs.scale;
    if (prefs.size.isValid()) {
        const QSize room = roomForStage() + QSize(0, menuHeight());
        window_->resize(prefs.size.boundedTo(room));
    } else {
        sizeForScale(prefs.scale);
    }
    window_->show();
    if (prefs.fullScreen)
        toggleFullScreen();
}

WindowPrefs WindowSizing::prefs() const
{
    WindowPrefs prefs;
    prefs.fullScreen = full_;
    // Full screen keeps the window's own size for the way back.
    prefs.size = prefs.fullScreen && normal_.isValid() ? normal_.size() : window_->size();
    prefs.scale = windowedScale_;
    return prefs;
}

void WindowSizing::toggleFullScreen()
{
    // Our own record of the state: without a window manager the window
    // system never confirms full screen.
    full_ = !full_;
    if (!full_) {
        window_->showNormal();
        if (normal_.isValid())
            window_->setGeometry(normal_);
    } else {
        normal_ = window_->geometry();
        window_->showFullScreen();
        // Without a window manager to carry it out, full screen is the
        // window made as large as the screen.
        if (const QScreen* screen = window_->screen())
            window_->setGeometry(screen->geometry());
    }
    menus_->setChecked(MenuItem::FullScreen, full_);
}

void WindowSizing::stepScale(int delta)
{
    if (full_ || window_->isMaximized())
        return;
    const int scale = stage_->scale() + delta;
    if (scale < 1 || scale > largestScale(roomForStage()))
        return;
    sizeForScale(scale);
}

} // namespace quibix
