#include "audio/SdlEffects.h"

#include "audio/SdlMixer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <chrono>
#include <cstdio>
#include <thread>

namespace quibix {

namespace {

// Effects play on one reserved mixer channel: a new effect replaces the
// old one, and nothing that picks a free channel can take it.
constexpr int kEffectChannel = 0;

// How long a synchronous effect may hold the game beyond its own length
// before we give up waiting (a stalled device must not hang the turn).
constexpr auto kSyncGrace = std::chrono::milliseconds(1000);
constexpr int kSyncStepMs = 10;

} // namespace

struct SdlEffects::Impl {
    std::function<void(int)> wait;
    std::shared_ptr<SdlMixer> mixer;
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

    impl_->mixer = SdlMixer::acquire();
    if (!impl_->mixer->open())
        return;
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
    int frequency = 0, channels = 0;
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
