#pragma once
// The gamepads as the game sees them: one look at every controller plugged
// in, taken together. The shell polls it; tests fake it.
namespace quibix {

struct PadState {
    bool connected = false;
    double stickX = 0.0; // the left stick, -1 (full left) to 1 (full right)
    bool left = false;   // the D-pad
    bool right = false;
    bool a = false;
    bool b = false;
    bool start = false;
    bool back = false;
};

class GamepadPort {
public:
    virtual ~GamepadPort() = default;
    // The controllers as they are now; picks up ones plugged in or pulled
    // out since the last look.
    virtual PadState poll() = 0;
};

} // namespace quibix
