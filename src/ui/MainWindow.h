#pragma once
// The main window: builds the widgets and menus, hands every event to the
// game and carries out what the game asks of the window. No rule lives here.
#include "game/FramePacer.h"
#include "ports/Ports.h"
#include "storage/ReplayFile.h"

#include <QMainWindow>

class QDialog;

#include <functional>
#include <memory>
#include <optional>

namespace quibix {

class EditorLauncher;
class GamepadPort;
class Form1;
class GameMenuBar;
class KeyboardControl;
class PlayField;
class SideBand;
class Stage;
class TitleScreen;
class UserInput;
class WindowSizing;

class MainWindow final : public QMainWindow, public WindowPort {
    Q_OBJECT
public:
    MainWindow();
    ~MainWindow() override;

    // The game whose handlers the window calls; set once, before showing.
    void attach(Form1& form);

    // Plays a recorded game once the window is up (--replay).
    void watchSoon(Replay replay);

    // Plays from the gamepads `pads` finds, polled about once a frame.
    void useGamepads(std::unique_ptr<GamepadPort> pads);

    // The window's size, scale and full screen (the View menu).
    WindowSizing& sizing() { return *sizing_; }

    // Keeps the window painting for `ms` milliseconds; input waits meanwhile.
    void waitFor(int ms);

    // DisplayPort
    void present(Surface surface, const QImage& image) override;
    void pause(int ms) override;

    // MenuPort
    void setMenuChecked(MenuItem item, bool checked) override;
    bool menuChecked(MenuItem item) const override;
    void setMenuEnabled(MenuItem item, bool enabled) override;

    // ScreenPort
    void setCaption(Caption label, int index, const std::string& text) override;
    void showTitleScreen(bool visible) override;
    void setTitlePicture(const QImage& picture) override;
    void setRecordWatchable(int row, bool watchable) override;
    void setWatching(bool watching) override;

    // PromptPort
    void messageBox(const std::string& text, const std::string& title) override;
    void notice(const std::string& text, const std::string& title, int ms) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& proposed) override;
    std::array<int16_t, 6> choosePieces(const std::array<int16_t, 6>& current,
                                        const std::array<QImage, 12>& pictures,
                                        const std::array<QImage, 12>& masks) override;
    std::optional<std::string> chooseSkin(const std::filesystem::path& appFolder,
                                          const std::string& currentSkin) override;
    void showAbout(const QImage& picture, const std::string& versionLine) override;
    void openInEditor(const std::filesystem::path& file) override;

    // PointerPort
    int16_t pointer() const override { return pointer_; }
    void setPointer(int16_t shape) override;
    void disableInput() override;
    void enableInput(int16_t pointer) override;
    int32_t showCursor(bool show) override;
    void confineCursor(bool toPlayField) override;
    void focusPlayField() override;

    // WindowPort
    void quit() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Runs a game handler. Handlers started by the player are dropped while
    // another one is still running (its pauses and prompts pump events);
    // a close asked for meanwhile stops the animation and is carried out
    // as soon as the handler returns.
    void dispatch(const std::function<void(Form1&)>& handler);
    // A menu item's handler from the menu table: the window's own at once,
    // the game's through dispatch.
    void onMenu(MenuItem item);
    // Puts on screen the pointer the game asked for, blank while the cursor
    // is hidden and an arrow while a prompt is open.
    void applyPointer();

    // A modal prompt frees the mouse and the input lock while it is open.
    class PromptScope;

    Form1* form_ = nullptr;
    Stage* stage_;
    PlayField* playField_;
    TitleScreen* titleScreen_;
    SideBand* sideBand_;
    GameMenuBar* menus_;
    UserInput* input_;
    KeyboardControl* keyboard_;
    EditorLauncher* editor_;
    WindowSizing* sizing_;
    FramePacer pacer_;

    int handlerDepth_ = 0;
    bool closePending_ = false;
    bool quitting_ = false;
    int promptDepth_ = 0;
    bool confineWanted_ = false;

    // The message of a watched game that is open now, closed early when
    // the player stops watching.
    QDialog* notice_ = nullptr;

    int16_t pointer_ = kPointerDefault;
    int32_t cursorCounter_ = 0;
    std::optional<Qt::CursorShape> overrideShape_;
};

} // namespace quibix
