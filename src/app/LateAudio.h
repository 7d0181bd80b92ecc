#pragma once
// The effects and the music device before the audio arrives: the window
// shows without waiting for the audio system and its many libraries, which
// load on a thread of their own. Until the real ports arrive every call is
// kept and the music device's mode follows the commands; once they arrive,
// what was kept is carried out in order and calls go straight through.
// Nothing waits for the arrival: an effect that was to hold the game plays
// without holding it.
#include "ports/Ports.h"

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace quibix {

struct AudioPorts {
    std::unique_ptr<EffectsPort> effects;
    std::unique_ptr<MusicDevicePort> music;
};

class LateAudio {
public:
    LateAudio();
    // Waits for a load still running, then lets the real ports go.
    ~LateAudio();
    LateAudio(const LateAudio&) = delete;
    LateAudio& operator=(const LateAudio&) = delete;

    EffectsPort& effects();
    MusicDevicePort& music();

    // The real ports, once (any thread): what was asked so far is carried
    // out on the calling thread.
    void arrive(AudioPorts ports);
    // Runs `make` on a thread of its own, then arrive() with its ports.
    void arriveFrom(std::function<AudioPorts()> make);
    bool arrived() const;

private:
    struct Shared;
    class Effects;
    class Music;
    std::unique_ptr<Shared> shared_;
    std::unique_ptr<Effects> effects_;
    std::unique_ptr<Music> music_;
    std::thread loader_;
};

} // namespace quibix
