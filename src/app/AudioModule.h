#pragma once
// Loads the modules the window does not wait for: the audio, and the
// gamepads (see app/Modules.h for where they are looked for).
#include "app/LateAudio.h"
#include "ui/GamepadsEntry.h"

#include <filesystem>
#include <functional>

namespace quibix {

// The real effects and music device; silent ones, said once on standard
// error, when the module cannot be loaded. `wait` must outlive the ports.
AudioPorts loadAudioModule(const std::filesystem::path& programFolder, const std::function<void(int ms)>& wait);

// The gamepads' maker; null, said once on standard error, when the module
// cannot be loaded.
MakeGamepads* loadGamepadModule(const std::filesystem::path& programFolder);

} // namespace quibix
