// Animation pauses keep to one running deadline while frames follow each
// other, and start afresh after a gap.
#include "game/FramePacer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <utility>
#include <vector>

namespace quibix {
namespace {

using std::chrono::milliseconds;

TEST(FramePacer, FramesKeepTheirPaceAndAGapOverFortyMillisecondsStartsAfresh)
{
    FramePacer::Clock::time_point now{};
    std::vector<milliseconds::rep> waits; // each wait's deadline in ms from time zero
    FramePacer pacer([&](FramePacer::Clock::time_point until) {
        waits.push_back(std::chrono::duration_cast<milliseconds>(until.time_since_epoch()).count());
        now = until;
    },
                     [&] { return now; });

    // The drawing time before each pause: 5 ms keeps to the last deadline
    // (17 after it, not after now); a gap of 40 is still the same animation,
    // so only 10 of 50 are left; 41 starts afresh; a pause of 0 waits nothing;
    // 30 ms of drawing outran a frame of 17; the shortest pause still waits.
    for (const auto& [took, pause] : {std::pair{1000, 17}, {5, 17}, {40, 50}, {41, 50}, {0, 0}, {30, 17}, {100, 1}}) {
        now += milliseconds(took);
        pacer.pause(pause);
    }
    EXPECT_EQ(waits, (std::vector<milliseconds::rep>{1017, 1034, 1084, 1175, 1306}));
}

} // namespace
} // namespace quibix
