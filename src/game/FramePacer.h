#pragma once
// Animation pauses paced against one running deadline: a run of frames of
// 17 ms lasts n x 17 ms however long each frame took to draw, instead of
// adding the drawing time to every pause.
#include <chrono>
#include <functional>

namespace quibix {

class FramePacer {
public:
    using Clock = std::chrono::steady_clock;
    // `waitUntil` blocks until the given time (the window keeps its events
    // flowing meanwhile; a benchmark may simply sleep).
    // `now` tells the time (the steady clock; tests give their own).
    explicit FramePacer(std::function<void(Clock::time_point)> waitUntil,
                        std::function<Clock::time_point()> now = Clock::now);

    // Wait `ms` milliseconds counted from the end of the previous pause when
    // that pause ended moments ago (an animation going on), else from now.
    void pause(int ms);

private:
    std::function<void(Clock::time_point)> waitUntil_;
    std::function<Clock::time_point()> now_;
    Clock::time_point deadline_{};
};

} // namespace quibix
