// Animation pauses keep to one running deadline while frames follow each
// other, and start afresh after a gap.
#include "game/FramePacer.h"

#include <gtest/gtest.h>

#include <vector>

namespace quibix {
namespace {

using std::chrono::milliseconds;

TEST(FramePacer, FramesKeepTheirPaceAndAGapOverFortyMillisecondsStartsAfresh)
{
    FramePacer::Clock::time_point now{};
    std::vector<milliseconds> waits; // each wait's deadline, from time zero
    FramePacer pacer([&](FramePacer::Clock::time_point until) {
        waits.push_back(std::chrono::duration_cast<milliseconds>(until.time_since_epoch()));
        now = until;
    },
                     [&] { return now; });

    now += milliseconds(1000);
    pacer.pause(17); // a fresh animation: until 1000 + 17
    now += milliseconds(5); // drawing the next frame took 5 ms
    pacer.pause(17); // 17 after the last deadline, not after now
    now += milliseconds(40); // the longest gap still part of the animation
    pacer.pause(50); // so only 10 ms are left of it
    now += milliseconds(41); // one more: a new animation
    pacer.pause(50); // the whole 50 from now
    pacer.pause(0); // nothing
    now += milliseconds(30); // drawing outran the frame: no wait at all
    pacer.pause(17);
    now += milliseconds(100);
    pacer.pause(1); // the shortest pause still waits
    EXPECT_EQ(waits, (std::vector<milliseconds>{milliseconds(1017), milliseconds(1034), milliseconds(1084),
                                                milliseconds(1175), milliseconds(1306)}));
}

} // namespace
} // namespace quibix
