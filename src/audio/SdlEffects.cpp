#include "audio/SdlEffects.h"

#include "audio/SdlMixer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <chrono>
#include <cstdio>
#include <mutex>
#include <optional>
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

// `mutex` guards everything below it: the opener thread plays the effect
// asked for while the device opened, the mixer's thread frees the chunk
// before closing the device, the game's thread does every other thing.
struct SdlEffects::Impl {
    std::function<void(int)> wait;
    std::shared_ptr<SdlMixer> mixer = SdlMixer::acquire();
    int user = -1; // our id with the mixer

    std::mutex mutex;
    unsigned channelsFor = 0; // the opening of the device the reserved channel was set up on
    Mix_Chunk* chunk = nullptr;
    // Bumped by every play, so a synchronous wait stops if a new effect
    // replaced the one it waits for.
    unsigned generation = 0;
    std::thread opener;
    bool opening = false;
    std::optional<std::filesystem::path> waiting; // the latest effect asked for while opening

    // Opens the device if needed; then the reserved channel exists.
    bool readyLocked()
    {
        if (!mixer->use())
            return false;
        const unsigned opening = mixer->openings();
        if (channelsFor != opening) {
            if (Mix_AllocateChannels(-1) <= kEffectChannel)
                Mix_AllocateChannels(kEffectChannel + 1);
            Mix_ReserveChannels(kEffectChannel + 1);
            channelsFor = opening;
        }
        return true;
    }

    void freeChunkLocked()
    {
        if (chunk) {
            Mix_HaltChannel(kEffectChannel);
            Mix_FreeChunk(chunk);
            chunk = nullptr;
        }
    }

    // Before the mixer closes the device: the finished effect is freed.
    bool letGo()
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (opening || (chunk && Mix_Playing(kEffectChannel)))
            return false;
        freeChunkLocked();
        return true;
    }

    // Loads and starts `file`; the loaded chunk, or nothing when the file
    // cannot be played (the sounding effect is then left alone).
    Mix_Chunk* startLocked(const std::filesystem::path& file)
    {
        Mix_Chunk* next = Mix_LoadWAV(file.string().c_str());
        if (!next)
            return nullptr;
        freeChunkLocked();
        chunk = next;
        ++generation;
        if (Mix_PlayChannel(kEffectChannel, next, 0) < 0)
            return nullptr;
        return next;
    }

    void openInBackground()
    {
        std::unique_lock<std::mutex> lock(mutex);
        if (readyLocked() && waiting)
            startLocked(*waiting);
        waiting.reset();
        opening = false;
    }

    void joinOpener()
    {
        if (opener.joinable())
            opener.join();
    }
};

SdlEffects::SdlEffects(std::function<void(int ms)> wait) : impl_(std::make_unique<Impl>())
{
    impl_->wait = std::move(wait);
    if (!impl_->wait)
        impl_->wait = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
    impl_->user = impl_->mixer->addUser([d = impl_.get()] { return d->letGo(); });
}

SdlEffects::~SdlEffects()
{
    impl_->mixer->removeUser(impl_->user);
    impl_->joinOpener();
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->freeChunkLocked();
}

bool SdlEffects::available() const
{
    impl_->joinOpener();
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->readyLocked();
}

void SdlEffects::play(const std::filesystem::path& file, int16_t flags)
{
    Impl& d = *impl_;
    std::unique_lock<std::mutex> lock(d.mutex);
    if (d.mixer->failed())
        return;
    if ((flags & kSoundAsync) && (d.opening || !d.mixer->open())) {
        // The first effect, or the first after a silence closed the device:
        // the device opens on its own thread and plays the latest effect
        // asked for meanwhile.
        d.waiting = file;
        if (!d.opening) {
            d.opening = true;
            lock.unlock();
            d.joinOpener();
            d.opener = std::thread([&d] { d.openInBackground(); });
        }
        return;
    }
    if (d.opening) {
        lock.unlock();
        d.joinOpener();
        lock.lock();
    }
    if (!d.readyLocked())
        return;
    // Load first: a missing or damaged file plays nothing and leaves the
    // effect that is sounding alone.
    Mix_Chunk* next = d.startLocked(file);
    if (!next || (flags & kSoundAsync))
        return;
    const unsigned generation = d.generation;
    const long long bytes = next->alen;
    lock.unlock();

    // Synchronous: wait until it has been heard, letting the window
    // repaint meanwhile.
    int frequency = 0, channels = 0;
    Uint16 format = MIX_DEFAULT_FORMAT;
    Mix_QuerySpec(&frequency, &format, &channels);
    const int bytesPerFrame = SDL_AUDIO_BITSIZE(format) / 8 * channels;
    const auto length = std::chrono::milliseconds(
        bytesPerFrame > 0 && frequency > 0
            ? bytes * 1000 / (static_cast<long long>(bytesPerFrame) * frequency)
            : 0);
    const auto deadline = std::chrono::steady_clock::now() + length + kSyncGrace;
    auto stillOurs = [&d, generation] {
        std::lock_guard<std::mutex> guard(d.mutex);
        return d.generation == generation && Mix_Playing(kEffectChannel);
    };
    while (stillOurs()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            std::lock_guard<std::mutex> guard(d.mutex);
            if (d.generation == generation)
                Mix_HaltChannel(kEffectChannel);
            break;
        }
        d.wait(kSyncStepMs);
    }
}

} // namespace quibix
