#pragma once
// The mouse pointer, the cursor and whether input reaches the game.
#include <cstdint>

namespace quibix {

// Application mouse-pointer shapes.
constexpr int16_t kPointerDefault = 0;
constexpr int16_t kPointerHourglass = 11;

class PointerPort {
public:
    virtual ~PointerPort() = default;

    // The application-wide pointer shape (kPointerDefault, kPointerHourglass).
    virtual int16_t pointer() const = 0;
    virtual void setPointer(int16_t shape) = 0;

    // The input lock of a turn: hourglass and no input at all; then input
    // back, with whatever arrived meanwhile thrown away, and the given pointer.
    virtual void disableInput() = 0;
    virtual void enableInput(int16_t pointer) = 0;

    // The cursor's display counter: +1 when shown, -1 when hidden; visible
    // while >= 0. Returns the counter after the change.
    virtual int32_t showCursor(bool show) = 0;
    // Confine the cursor to the play field, or free it over the desktop.
    virtual void confineCursor(bool toPlayField) = 0;
    // Keys go to the play field.
    virtual void focusPlayField() = 0;
};

} // namespace quibix
