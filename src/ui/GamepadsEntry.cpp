#include "ui/GamepadsEntry.h"

#include "ui/SdlGamepads.h"

#include <type_traits>

extern "C" __attribute__((visibility("default"))) quibix::GamepadPort* quibix_make_gamepads()
{
    static_assert(std::is_same_v<decltype(quibix_make_gamepads), quibix::MakeGamepads>);
    return new quibix::SdlGamepads();
}
