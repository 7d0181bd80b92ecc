#include "audio/AudioEntry.h"

#include "audio/SdlEffects.h"
#include "audio/SdlMusic.h"

extern "C" __attribute__((visibility("default"))) void quibix_make_audio(const std::function<void(int)>* wait,
                                                                         quibix::EffectsPort** effects,
                                                                         quibix::MusicDevicePort** music)
{
    static_assert(std::is_same_v<decltype(quibix_make_audio), quibix::MakeAudio>);
    *effects = new quibix::SdlEffects(*wait);
    *music = new quibix::SdlMusic();
}
