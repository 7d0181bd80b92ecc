#include "audio/SdlMixer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <mutex>

namespace quibix {

namespace {

constexpr int kFrequency = 44100;
constexpr int kChannels = 2;
constexpr int kChunkSize = 1024;

std::mutex gMutex;
std::weak_ptr<SdlMixer> gShared;

// Once no part of SDL is in use any more, let SDL free its own
// bookkeeping too.
void releaseSdl()
{
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0)
        SDL_Quit();
}

} // namespace

std::shared_ptr<SdlMixer> SdlMixer::acquire()
{
    std::lock_guard<std::mutex> lock(gMutex);
    std::shared_ptr<SdlMixer> mixer = gShared.lock();
    if (!mixer) {
        mixer.reset(new SdlMixer());
        gShared = mixer;
    }
    return mixer;
}

SdlMixer::SdlMixer()
{
    // SDL would otherwise take over Ctrl+C and turn it into an event that
    // nobody here reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "Quibix: no audio device (%s); sound and music are off\n", SDL_GetError());
        releaseSdl();
        return;
    }
    if (Mix_OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, kChannels, kChunkSize) != 0) {
        std::fprintf(stderr, "Quibix: no audio device (%s); sound and music are off\n", Mix_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        releaseSdl();
        return;
    }
    open_ = true;
}

SdlMixer::~SdlMixer()
{
    if (!open_)
        return;
    Mix_HaltMusic();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    releaseSdl();
}

} // namespace quibix
