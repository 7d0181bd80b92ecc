#include "game/FramePacer.h"

namespace quibix {

namespace {
// A pause that starts later than this after the previous deadline is not
// part of the same animation; it counts from now so nothing is skipped.
constexpr auto kAnimationGap = std::chrono::milliseconds(40);
} // namespace

FramePacer::FramePacer(std::function<void(Clock::time_point)> waitUntil)
    : waitUntil_(std::move(waitUntil))
{
}

void FramePacer::pause(int ms)
{
    if (ms <= 0)
        return;
    const auto now = Clock::now();
    if (now - deadline_ > kAnimationGap)
        deadline_ = now;
    deadline_ += std::chrono::milliseconds(ms);
    if (deadline_ > now)
        waitUntil_(deadline_);
}

} // namespace quibix
