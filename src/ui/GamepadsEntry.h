#pragma once
// The entry point of the gamepad module (quibix-gamepads.so): SDL, and the
// many libraries Debian's SDL brings with it, are loaded only once the
// window shows, so the window never waits for them.
#include "ui/GamepadPort.h"

namespace quibix {

// Makes the gamepads over SDL's game controller support, on any thread but
// never while another part of SDL starts; they may be polled on another.
using MakeGamepads = GamepadPort*();
constexpr const char* kMakeGamepadsSymbol = "quibix_make_gamepads";
constexpr const char* kGamepadsModuleName = "quibix-gamepads.so";

} // namespace quibix
