#pragma once
// The input lock of a turn. While a shot runs the window takes no input at
// all; what the player does meanwhile is thrown away when the lock ends, so
// a click made during a shot never fires another one.
#include <QObject>

#include <functional>

namespace quibix {

class UserInput final : public QObject {
    Q_OBJECT
public:
    explicit UserInput(QObject* parent = nullptr);
    ~UserInput() override;

    // Starts swallowing every user input event of the application.
    void DisableInput();
    // Discards what queued up meanwhile, then lets input through again.
    void EnableInput();
    // Delivers pending events with the lock still in place, so queued
    // keyboard and mouse input reaches the lock and is dropped.
    void FlushInput();

    bool locked() const { return locked_; }
    // Input is being dropped as it arrives (locked, no prompt open), so a
    // pause need not hold it back.
    bool dropping() const { return installed_; }

    // A modal prompt must stay usable even inside a locked turn: the lock
    // steps aside while one is open and comes back after it.
    void suspend();
    void resume();

    // While a recorded game plays: every input is held back, and a key or a
    // button pressed calls `interrupt` (which stops the game). Ends with
    // endWatch.
    void watch(std::function<void()> interrupt);
    void endWatch();
    bool watching() const { return static_cast<bool>(interrupt_); }
    // A button of another device (a gamepad) pressed while watching.
    void interruptWatch()
    {
        if (interrupt_)
            interrupt_();
    }

    static bool isUserInput(const QEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void install();
    void uninstall();

    bool locked_ = false;
    bool installed_ = false;
    int suspended_ = 0;
    std::function<void()> interrupt_;
};

} // namespace quibix
