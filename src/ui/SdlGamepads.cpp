#include "ui/SdlGamepads.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quibix {

namespace {

constexpr double kAxisRange = 32767.0;

double axis(SDL_GameController* pad, SDL_GameControllerAxis which)
{
    return std::clamp(SDL_GameControllerGetAxis(pad, which) / kAxisRange, -1.0, 1.0);
}

bool button(SDL_GameController* pad, SDL_GameControllerButton which)
{
    return SDL_GameControllerGetButton(pad, which) != 0;
}

} // namespace

SdlGamepads::SdlGamepads()
{
    // SDL would otherwise take over Ctrl+C.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "Quibix: gamepads cannot be used (%s)\n", SDL_GetError());
        return;
    }
    // The controllers are read, not listened to: nothing here reads SDL's
    // event queue, which the sound shares.
    SDL_GameControllerEventState(SDL_IGNORE);
    SDL_JoystickEventState(SDL_IGNORE);
    started_ = true;
}

SdlGamepads::~SdlGamepads()
{
    if (!started_)
        return;
    for (SDL_GameController* pad : open_)
        SDL_GameControllerClose(pad);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0)
        SDL_Quit();
}

void SdlGamepads::closeUnplugged()
{
    auto gone = std::remove_if(open_.begin(), open_.end(), [](SDL_GameController* pad) {
        if (SDL_GameControllerGetAttached(pad))
            return false;
        SDL_GameControllerClose(pad);
        return true;
    });
    open_.erase(gone, open_.end());
}

void SdlGamepads::openPluggedIn()
{
    const int count = SDL_NumJoysticks();
    if (count == static_cast<int>(open_.size()))
        return;
    for (int i = 0; i < count; ++i) {
        if (!SDL_IsGameController(i))
            continue;
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(i);
        const bool known = std::any_of(open_.begin(), open_.end(), [id](SDL_GameController* pad) {
            return SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)) == id;
        });
        if (known)
            continue;
        if (SDL_GameController* pad = SDL_GameControllerOpen(i))
            open_.push_back(pad);
    }
}

PadState SdlGamepads::poll()
{
    PadState state;
    if (!started_)
        return state;
    // Reads the devices and notices controllers plugged in or pulled out.
    SDL_GameControllerUpdate();
    closeUnplugged();
    openPluggedIn();
    for (SDL_GameController* pad : open_) {
        state.connected = true;
        const double x = axis(pad, SDL_CONTROLLER_AXIS_LEFTX);
        if (std::abs(x) > std::abs(state.stickX))
            state.stickX = x;
        state.left = state.left || button(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
        state.right = state.right || button(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
        state.a = state.a || button(pad, SDL_CONTROLLER_BUTTON_A);
        state.b = state.b || button(pad, SDL_CONTROLLER_BUTTON_B);
        state.start = state.start || button(pad, SDL_CONTROLLER_BUTTON_START);
        state.back = state.back || button(pad, SDL_CONTROLLER_BUTTON_BACK);
    }
    return state;
}

} // namespace quibix
