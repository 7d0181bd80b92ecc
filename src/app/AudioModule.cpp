#include "app/AudioModule.h"

#include "audio/AudioEntry.h"
#include "audio/SilentAudio.h"

#include <dlfcn.h>

#include <cstdio>
#include <string>

namespace quibix {

AudioPorts loadAudioModule(const std::filesystem::path& programFolder, const std::function<void(int)>& wait)
{
    std::string why = "not found";
    for (const std::filesystem::path& file :
         {programFolder / kAudioModuleName, programFolder / ".." / "lib" / "games" / "quibix" / kAudioModuleName}) {
        std::error_code ec;
        if (!std::filesystem::exists(file, ec))
            continue;
        // Never closed: the ports' code lives in it until the program ends.
        void* module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        auto* make = module ? reinterpret_cast<MakeAudio*>(dlsym(module, kMakeAudioSymbol)) : nullptr;
        if (!make) {
            const char* error = dlerror();
            why = error ? error : "no entry point";
            break;
        }
        EffectsPort* effects = nullptr;
        MusicDevicePort* music = nullptr;
        make(&wait, &effects, &music);
        return {std::unique_ptr<EffectsPort>(effects), std::unique_ptr<MusicDevicePort>(music)};
    }
    std::fprintf(stderr, "Quibix: cannot load the sound library %s (%s); sound and music are off\n",
                 kAudioModuleName, why.c_str());
    return {std::make_unique<SilentEffects>(), std::make_unique<SilentMusicDevice>()};
}

} // namespace quibix
