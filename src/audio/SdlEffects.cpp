#include "audio/SdlEffects.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <chrono>
#include <cstdio>
#include <thread>

namespace quibix {

namespace {

// The device format. Music opens the same device with these values, so the
// mixer shares it (it counts the opens) instead of reopening it.
constexpr int kFrequency = 44100;
constexpr int kChannels = 2;
constexpr int kChunkSize = 1024;

// Effects play on one reserved mixer channel: a new effect replaces the
// old one, and nothing that picks a free channel can take it.
constexpr int kEffectChannel = 0;

// How long a synchronous effect may hold the game beyond its own length
// before we give up waiting (a stalled device must not hang the turn).
constexpr auto kSyncGrace = std::chrono::milliseconds(1000);
constexpr int kSyncStepMs = 10;

// Once no part of SDL is in use any more (music may still hold the audio
// subsystem), let SDL free its own bookkeeping too.
void releaseSdl()
{
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0)
        SDL_Quit();
}

} // namespace

struct SdlEffects::Impl {
    std::function<void(int)> wait;
    bool open = false;
    Mix_Chunk* chunk = nullptr;
    // Bumped by every play, so a synchronous wait stops if a new effect
    // replaced the one it waits for.
    unsigned generation = 0;

    void freeChunk()
    {
        if (chunk) {
            Mix_HaltChannel(kEffectChannel);
            Mix_FreeChunk(chunk);
            chunk = nullptr;
        }
    }
};

SdlEffects::SdlEffects(std::function<void(int ms)> wait) : impl_(std::make_unique<Impl>())
{
    impl_->wait = std::move(wait);
    if (!impl_->wait)
        impl_->wait = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };

    // SDL would otherwise take over Ctrl+C and turn it into an event that
    // nobody here reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "Quibix: no audio device (%s); sound is off\n", SDL_GetError());
        releaseSdl();
        return;
    }
    if (Mix_OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, kChannels, kChunkSize) != 0) {
        std::fprintf(stderr, "Quibix: no audio device (%s); sound is off\n", Mix_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        releaseSdl();
        return;
    }
    if (Mix_AllocateChannels(-1) <= kEffectChannel)
        Mix_AllocateChannels(kEffectChannel + 1);
    Mix_ReserveChannels(kEffectChannel + 1);
    impl_->open = true;
}

SdlEffects::~SdlEffects()
{
    if (!impl_->open)
        return;
    impl_->freeChunk();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    releaseSdl();
}

bool SdlEffects::available() const { return impl_->open; }

void SdlEffects::play(const std::filesystem::path& file, int16_t flags)
{
    if (!impl_->open)
        return;
    // Load first: a missing or damaged file plays nothing and leaves the
    // effect that is sounding alone.
    Mix_Chunk* next = Mix_LoadWAV(file.string().c_str());
    if (!next)
        return;

    impl_->freeChunk();
    impl_->chunk = next;
    const unsigned generation = ++impl_->generation;
    if (Mix_PlayChannel(kEffectChannel, next, 0) < 0)
        return;
    if (flags & kSoundAsync)
        return;

    // Synchronous: wait until it has been heard, letting the window
    // repaint meanwhile.
    int frequency = kFrequency, channels = kChannels;
    Uint16 format = MIX_DEFAULT_FORMAT;
    Mix_QuerySpec(&frequency, &format, &channels);
    const int bytesPerFrame = SDL_AUDIO_BITSIZE(format) / 8 * channels;
    const auto length = std::chrono::milliseconds(
        bytesPerFrame > 0 && frequency > 0
            ? static_cast<long long>(next->alen) * 1000 / (static_cast<long long>(bytesPerFrame) * frequency)
            : 0);
    const auto deadline = std::chrono::steady_clock::now() + length + kSyncGrace;
    while (impl_->generation == generation && Mix_Playing(kEffectChannel)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            Mix_HaltChannel(kEffectChannel);
            break;
        }
        impl_->wait(kSyncStepMs);
    }
}

} // namespace quibix
