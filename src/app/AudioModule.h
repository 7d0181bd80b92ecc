#pragma once
// Loads the audio module: next to the program (the build) or in the
// library folder of an installed tree (games/ -> lib/games/quibix/).
#include "app/LateAudio.h"

#include <filesystem>
#include <functional>

namespace quibix {

// The real effects and music device; silent ones, said once on standard
// error, when the module cannot be loaded. `wait` must outlive the ports.
AudioPorts loadAudioModule(const std::filesystem::path& programFolder, const std::function<void(int ms)>& wait);

} // namespace quibix
