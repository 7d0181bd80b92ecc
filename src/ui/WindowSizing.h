#pragma once
// The window's size as the player sets it: the View menu (full screen, a
// larger or smaller window in whole steps of the game's size), and the
// window put back as it was left.
#include "ports/ViewPort.h"
#include "ui/WindowPrefs.h"

#include <QObject>
#include <QRect>

class QMainWindow;
class QMenuBar;

namespace quibix {

class GameMenuBar;
class Stage;

class WindowSizing final : public QObject, public ViewPort {
    Q_OBJECT
public:
    // `menus` shows whether the window is full screen.
    WindowSizing(QMainWindow* window, Stage* stage, QMenuBar* bar, GameMenuBar* menus);

    // The window at `scale` in a window, inside the screen.
    void sizeForScale(int scale);
    // Shows the window as `prefs` say (a size that no longer fits the
    // screen is cut down to it).
    void showAs(const WindowPrefs& prefs);
    // The window as it is now, to be restored next time.
    WindowPrefs prefs() const;

    void toggleFullScreen() override;
    void stepScale(int delta) override;

private:
    // The room the stage can have on the screen in a window.
    QSize roomForStage() const;
    int menuHeight() const;

    QMainWindow* window_;
    Stage* stage_;
    QMenuBar* bar_;
    GameMenuBar* menus_;
    bool full_ = false;
    int windowedScale_ = 1;
    QRect normal_; // the window's place before full screen
};

} // namespace quibix
