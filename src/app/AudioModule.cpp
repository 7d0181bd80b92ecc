#include "app/AudioModule.h"

#include "app/Modules.h"
#include "audio/AudioEntry.h"
#include "audio/SilentAudio.h"

#include <cstdio>
#include <string>

namespace quibix {

AudioPorts loadAudioModule(const std::filesystem::path& programFolder, const std::function<void(int)>& wait)
{
    std::string why;
    if (auto* make = reinterpret_cast<MakeAudio*>(moduleEntry(programFolder, kAudioModuleName, kMakeAudioSymbol, why))) {
        EffectsPort* effects = nullptr;
        MusicDevicePort* music = nullptr;
        make(&wait, &effects, &music);
        return {std::unique_ptr<EffectsPort>(effects), std::unique_ptr<MusicDevicePort>(music)};
    }
    std::fprintf(stderr, "Quibix: cannot load the sound library %s (%s); sound and music are off\n",
                 kAudioModuleName, why.c_str());
    return {std::make_unique<SilentEffects>(), std::make_unique<SilentMusicDevice>()};
}

MakeGamepads* loadGamepadModule(const std::filesystem::path& programFolder)
{
    std::string why;
    auto* make = reinterpret_cast<MakeGamepads*>(
        moduleEntry(programFolder, kGamepadsModuleName, kMakeGamepadsSymbol, why));
    if (!make)
        std::fprintf(stderr, "Quibix: cannot load the gamepad library %s (%s); play on with mouse and keys\n",
                     kGamepadsModuleName, why.c_str());
    return make;
}

} // namespace quibix
