#pragma once
// The one SDL_mixer device of the program, shared by effects and music.
// Nothing is opened until the first sound needs it, so the window never
// waits for the audio system; closed when the last user lets go, so
// neither user can shut the other's sound off. After a few seconds in which
// nothing sounded the device is paused, so silence costs no mixing; the
// next sound resumes it at once.
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace quibix {

class SdlMixer {
public:
    // The shared mixer, not yet opened.
    static std::shared_ptr<SdlMixer> acquire();

    ~SdlMixer();
    SdlMixer(const SdlMixer&) = delete;
    SdlMixer& operator=(const SdlMixer&) = delete;

    // Opens the device if that was never tried (waiting for it, tens of
    // milliseconds), resumes it when paused and notes that something is
    // about to sound. False when there is no device: said once on standard
    // error, and every later call is false at once.
    bool use();
    // Whether the device is open, without opening it.
    bool open() const;
    // Whether opening was tried and failed.
    bool failed() const;
    // Whether the device is paused for silence (for tests and benchmarks).
    bool paused() const;

    // Silence this long pauses the device.
    static constexpr std::chrono::milliseconds kPauseAfter{3000};

private:
    SdlMixer() = default;
    void watchSilence();

    enum class State { Untried, Open, Failed };
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    State state_ = State::Untried;
    unsigned device_ = 0; // SDL's id of the device SDL_mixer opened, 0 = unknown
    bool paused_ = false;
    bool quit_ = false;
    std::chrono::steady_clock::time_point lastUse_;
    std::thread watcher_;
};

} // namespace quibix
