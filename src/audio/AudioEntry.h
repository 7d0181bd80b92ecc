#pragma once
// The entry point of the audio module (quibix-audio.so): the program loads
// the module, and with it SDL_mixer and the synthesiser's libraries, only
// once its window shows.
#include "ports/Ports.h"

#include <functional>

namespace quibix {

// Makes the real effects and music device. `wait(ms)` is called while a
// synchronous effect plays; it must outlive the effects.
using MakeAudio = void(const std::function<void(int ms)>* wait, EffectsPort** effects, MusicDevicePort** music);
constexpr const char* kMakeAudioSymbol = "quibix_make_audio";
constexpr const char* kAudioModuleName = "quibix-audio.so";

} // namespace quibix
