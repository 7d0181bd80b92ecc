#include "ui/GamepadControl.h"

#include <tuple>

namespace quibix {

PadActions GamepadControl::update(const PadState& pad, PadPlace place, int64_t nowMs)
{
    PadActions actions;
    const PadState before = last_;
    last_ = pad;

    // The D-pad is held like the arrow keys; its first step comes at once.
    int turn = 0;
    for (const auto& [d, now, was] : {std::tuple{TurnDirection::Left, pad.left, before.left},
                                      std::tuple{TurnDirection::Right, pad.right, before.right}}) {
        if (now && !was)
            turn += dpad_.press(d, nowMs);
        else if (!now && was)
            dpad_.release(d, nowMs);
    }
    turn += dpad_.advance(nowMs);
    stick_.setTilt(pad.stickX, nowMs);
    turn += stick_.advance(nowMs);

    switch (place) {
    case PadPlace::Game:
        actions.turn = turn;
        if (pressed(pad.a, before.a))
            actions.command = PlayerCommand::Fire;
        else if (pressed(pad.back, before.back))
            actions.command = PlayerCommand::StopGame;
        break;
    case PadPlace::Title:
        if (pressed(pad.a, before.a) || pressed(pad.start, before.start))
            actions.command = PlayerCommand::Start;
        break;
    case PadPlace::NameBox:
        actions.accept = pressed(pad.a, before.a);
        actions.cancel = !actions.accept && pressed(pad.b, before.b);
        break;
    case PadPlace::MessageBox:
        actions.accept = pressed(pad.a, before.a);
        break;
    case PadPlace::OtherDialog:
        break;
    case PadPlace::Watching:
        // As a key or a click does: any button.
        actions.stopWatching = pressed(pad.a, before.a) || pressed(pad.b, before.b) ||
                               pressed(pad.start, before.start) || pressed(pad.back, before.back);
        break;
    }
    return actions;
}

} // namespace quibix
