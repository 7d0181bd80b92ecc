#include "game/FramePacer.h"

namespace quibix {

namespace {
// A pause that starts later than this after the previous deadline is not
// part of the same animation; it counts from now so nothing is skipped.
constexpr auto kAnimationGap = std::chrono::milliseconds(40);
} // namespace

FramePacer::FramePacer(std::function<void(Clock::time_point)> waitUntil,
                       std::function<Clock::time_point()> now)
    : waitUntil_(std::move(waitUntil)), now_(std::move(now))
{
}

void FramePacer::pause(int ms)
{
    if (ms <= 0)
        return;
    const auto now = now_();
    if (now - deadline_ > kAnimationGap)
        deadline_ = now;
    deadline_ += std::chrono::milliseconds(ms);
    if (deadline_ > now)
        waitUntil_(deadline_);
}

} // namespace quibix
