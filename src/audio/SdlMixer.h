#pragma once
// The one SDL_mixer device of the program, shared by effects and music.
// Nothing is opened until the first sound needs it, so the window never
// waits for the audio system. After a few seconds in which nothing sounded
// the device is closed, so silence costs no mixing thread at all; the next
// sound opens it again. Closed for good when the last user lets go, so
// neither user can shut the other's sound off.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
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

    // Opens the device when it is closed (waiting for it, a few to tens of
    // milliseconds) and notes that something is about to sound. False when
    // there is no device: said once on standard error, and every later call
    // is false at once.
    bool use();
    // Whether the device is open, without opening it.
    bool open() const;
    // Whether opening was tried and failed.
    bool failed() const;
    // Counts the openings: what a user set up on the device (channels) is
    // set up again when this changes.
    unsigned openings() const;

    // A user of the device: before closing it for silence the mixer asks
    // each one to let go of what it keeps loaded (chunks, music), which it
    // does only when nothing of its own sounds or is on its way; the answer
    // is whether it did. Called on the mixer's own thread, with no lock of
    // the mixer held, so it may take its user's lock.
    using LetGo = std::function<bool()>;
    int addUser(LetGo letGo);
    // After this returns the function is never called again.
    void removeUser(int id);

    // Silence this long closes the device.
    static constexpr std::chrono::milliseconds kCloseAfter{3000};

private:
    SdlMixer() = default;
    void watchSilence();
    bool everyoneLetGo();
    void closeDevice();

    enum class State { Untried, Open, Closed, Failed };
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    State state_ = State::Untried;
    unsigned openings_ = 0;
    unsigned uses_ = 0; // bumped by every use(), so a close can tell a use came meanwhile
    bool quit_ = false;
    std::chrono::steady_clock::time_point lastUse_;
    std::thread watcher_;

    std::mutex usersMutex_; // held while a LetGo runs, so removeUser waits for it
    std::map<int, LetGo> users_;
    int nextUser_ = 0;
};

} // namespace quibix
