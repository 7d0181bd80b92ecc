#include "audio/SdlMixer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>

namespace quibix {

namespace {

constexpr int kFrequency = 44100;
constexpr int kChannels = 2;
constexpr int kChunkSize = 1024;
// How often the watcher looks whether anything still sounds.
constexpr std::chrono::milliseconds kWatchStep{1000};

std::mutex gShareMutex;
std::weak_ptr<SdlMixer> gShared;

// Once no part of SDL is in use any more, let SDL free its own
// bookkeeping too.
void releaseSdl()
{
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0)
        SDL_Quit();
}

// SDL_mixer does not say which device it opened; it is the only playing
// one the program has.
unsigned findOpenDevice()
{
    for (SDL_AudioDeviceID id = 1; id <= 16; ++id) {
        if (SDL_GetAudioDeviceStatus(id) != SDL_AUDIO_STOPPED)
            return id;
    }
    return 0;
}

} // namespace

std::shared_ptr<SdlMixer> SdlMixer::acquire()
{
    std::lock_guard<std::mutex> lock(gShareMutex);
    std::shared_ptr<SdlMixer> mixer = gShared.lock();
    if (!mixer) {
        mixer.reset(new SdlMixer());
        gShared = mixer;
    }
    return mixer;
}

bool SdlMixer::use()
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (state_ == State::Failed)
        return false;
    lastUse_ = std::chrono::steady_clock::now();
    if (state_ == State::Open) {
        if (paused_) {
            SDL_PauseAudioDevice(device_, 0);
            paused_ = false;
            wake_.notify_one();
        }
        return true;
    }
    // SDL would otherwise take over Ctrl+C and turn it into an event that
    // nobody here reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    state_ = State::Failed;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "Quibix: no audio device (%s); sound and music are off\n", SDL_GetError());
        releaseSdl();
        return false;
    }
    if (Mix_OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, kChannels, kChunkSize) != 0) {
        std::fprintf(stderr, "Quibix: no audio device (%s); sound and music are off\n", Mix_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        releaseSdl();
        return false;
    }
    state_ = State::Open;
    device_ = findOpenDevice();
    lastUse_ = std::chrono::steady_clock::now();
    if (device_ != 0)
        watcher_ = std::thread([this] { watchSilence(); });
    return true;
}

bool SdlMixer::open() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return state_ == State::Open;
}

bool SdlMixer::failed() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return state_ == State::Failed;
}

bool SdlMixer::paused() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return paused_;
}

// Looks once a second while the device runs; once paused it sleeps until
// use() wakes it, so a silent game does not even wake up for this.
void SdlMixer::watchSilence()
{
    std::unique_lock<std::mutex> lock(mutex_);
    while (!quit_) {
        if (paused_) {
            wake_.wait(lock, [this] { return quit_ || !paused_; });
            continue;
        }
        wake_.wait_for(lock, kWatchStep);
        if (quit_ || paused_)
            continue;
        const auto now = std::chrono::steady_clock::now();
        if (Mix_Playing(-1) > 0 || Mix_PlayingMusic()) {
            lastUse_ = now;
        } else if (now - lastUse_ >= kPauseAfter) {
            SDL_PauseAudioDevice(device_, 1);
            paused_ = true;
        }
    }
}

SdlMixer::~SdlMixer()
{
    if (watcher_.joinable()) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            quit_ = true;
        }
        wake_.notify_one();
        watcher_.join();
    }
    if (state_ != State::Open)
        return;
    Mix_HaltMusic();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    releaseSdl();
}

} // namespace quibix
