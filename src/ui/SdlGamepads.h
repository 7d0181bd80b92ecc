#pragma once
// The gamepads through SDL's game controller support: every controller SDL
// knows a layout for, opened when it is plugged in and closed when it is
// pulled out. Starts SDL's controller part on its own, beside the sound's.
#include "ui/GamepadPort.h"

#include <SDL_gamecontroller.h>

#include <vector>

namespace quibix {

class SdlGamepads final : public GamepadPort {
public:
    SdlGamepads();
    ~SdlGamepads() override;
    SdlGamepads(const SdlGamepads&) = delete;
    SdlGamepads& operator=(const SdlGamepads&) = delete;

    // False when SDL could not start its controller part: no gamepads then.
    bool available() const { return started_; }
    PadState poll() override;

private:
    void closeUnplugged();
    void openPluggedIn();

    bool started_ = false;
    std::vector<SDL_GameController*> open_;
};

} // namespace quibix
