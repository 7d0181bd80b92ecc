#pragma once
// Playing from a gamepad: what its buttons and stick mean where the player
// is. The D-pad turns the cannon as the arrow keys do, the stick's tilt
// sets the turning speed, A fires; on the title screen A or Start starts a
// game; Back stops a game; in the name box A accepts and B cancels, in a
// message box A is OK; while a recorded game is watched any button stops
// it. No Qt: fed states and the time, it says what to do.
#include "ui/GamepadPort.h"
#include "ui/HeldTurn.h"
#include "ui/PlayerCommands.h"

#include <cstdint>
#include <optional>

namespace quibix {

// Where the player is, which decides what a button means.
enum class PadPlace { Title, Game, NameBox, MessageBox, OtherDialog, Watching };

struct PadActions {
    int turn = 0; // degrees, left positive
    std::optional<PlayerCommand> command;
    bool accept = false; // the open prompt's OK
    bool cancel = false; // the open prompt's Cancel
    bool stopWatching = false; // back to the title from a watched game
};

class GamepadControl {
public:
    PadActions update(const PadState& pad, PadPlace place, int64_t nowMs);

private:
    // A button counts when it goes down, once.
    bool pressed(bool now, bool before) const { return now && !before; }

    PadState last_;
    HeldTurn dpad_;
    TiltTurn stick_;
};

} // namespace quibix
