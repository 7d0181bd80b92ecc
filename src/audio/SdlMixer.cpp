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

// The effects' channels; the music keeps the device open through its user,
// which does not let go while its synthesiser lives.
bool sounding() { return Mix_Playing(-1) > 0; }

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
    std::lock_guard<std::mutex> lock(mutex_);
    if (state_ == State::Failed)
        return false;
    lastUse_ = std::chrono::steady_clock::now();
    ++uses_;
    if (state_ == State::Open)
        return true;
    if (state_ == State::Untried) {
        // SDL would otherwise take over Ctrl+C and turn it into an event
        // that nobody here reads.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            std::fprintf(stderr, "Quibix: no audio device (%s); sound and music are off\n", SDL_GetError());
            state_ = State::Failed;
            releaseSdl();
            return false;
        }
    }
    if (Mix_OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, kChannels, kChunkSize) != 0) {
        std::fprintf(stderr, "Quibix: no audio device (%s); sound and music are off\n", Mix_GetError());
        state_ = State::Failed;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        releaseSdl();
        return false;
    }
    state_ = State::Open;
    ++openings_;
    lastUse_ = std::chrono::steady_clock::now();
    if (!watcher_.joinable())
        watcher_ = std::thread([this] { watchSilence(); });
    wake_.notify_one();
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

unsigned SdlMixer::openings() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return openings_;
}

int SdlMixer::addUser(LetGo letGo)
{
    std::lock_guard<std::mutex> lock(usersMutex_);
    users_.emplace(nextUser_, std::move(letGo));
    return nextUser_++;
}

void SdlMixer::removeUser(int id)
{
    std::lock_guard<std::mutex> lock(usersMutex_);
    users_.erase(id);
}

bool SdlMixer::everyoneLetGo()
{
    std::lock_guard<std::mutex> lock(usersMutex_);
    bool all = true;
    for (auto& [id, letGo] : users_)
        all = letGo() && all; // every user lets go of what it can
    return all;
}

// Halted and freed by the users first: SDL_mixer must not be left with a
// chunk or a piece of music that outlives the device it was made for.
void SdlMixer::closeDevice()
{
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    state_ = State::Closed;
}

// Looks once a second while the device is open; once it is closed it
// sleeps until use() opens it again, so a silent game does not even wake
// up for this.
void SdlMixer::watchSilence()
{
    std::unique_lock<std::mutex> lock(mutex_);
    while (!quit_) {
        if (state_ != State::Open) {
            wake_.wait(lock, [this] { return quit_ || state_ == State::Open; });
            continue;
        }
        wake_.wait_for(lock, kWatchStep);
        if (quit_ || state_ != State::Open)
            continue;
        const auto now = std::chrono::steady_clock::now();
        if (sounding()) {
            lastUse_ = now;
            continue;
        }
        if (now - lastUse_ < kCloseAfter)
            continue;
        // The users let go without our lock, as they take theirs; a use
        // meanwhile keeps the device open.
        const unsigned uses = uses_;
        lock.unlock();
        const bool idle = everyoneLetGo();
        lock.lock();
        if (!quit_ && idle && uses == uses_ && state_ == State::Open && !sounding())
            closeDevice();
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
    if (state_ == State::Untried || state_ == State::Failed)
        return;
    if (state_ == State::Open)
        closeDevice();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    releaseSdl();
}

} // namespace quibix
