#include "ui/HeldTurn.h"

#include <algorithm>
#include <cmath>

namespace quibix {

double HeldTurn::repeatedDegrees(int64_t ms)
{
    const double t = static_cast<double>(ms - kRepeatDelayMs) / 1000.0;
    if (t <= 0.0)
        return 0.0;
    // The speed grows linearly over the ramp, then stays at the top.
    const double ramp = static_cast<double>(kRampMs) / 1000.0;
    const double accel = (kTopSpeed - kStartSpeed) / ramp;
    if (t <= ramp)
        return kStartSpeed * t + accel * t * t / 2.0;
    return kStartSpeed * ramp + accel * ramp * ramp / 2.0 + kTopSpeed * (t - ramp);
}

void HeldTurn::hold(int direction, int64_t nowMs)
{
    active_ = direction;
    since_ = nowMs;
    emitted_ = 0;
}

int HeldTurn::press(TurnDirection d, int64_t nowMs)
{
    if (held_[index(d)])
        return 0;
    held_[index(d)] = true;
    // The last key pressed wins while both are down.
    hold(static_cast<int>(d), nowMs);
    return active_;
}

void HeldTurn::release(TurnDirection d, int64_t nowMs)
{
    if (!held_[index(d)])
        return;
    held_[index(d)] = false;
    if (active_ != static_cast<int>(d))
        return;
    active_ = 0;
    // The other key, still down, takes over without a step of its own: it
    // had its step when it was pressed.
    const TurnDirection other = d == TurnDirection::Left ? TurnDirection::Right : TurnDirection::Left;
    if (held_[index(other)])
        hold(static_cast<int>(other), nowMs);
}

int HeldTurn::advance(int64_t nowMs)
{
    if (active_ == 0)
        return 0;
    const int total = static_cast<int>(std::floor(repeatedDegrees(nowMs - since_)));
    const int steps = total - emitted_;
    emitted_ = total;
    return active_ * steps;
}

void HeldTurn::clear()
{
    held_[0] = held_[1] = false;
    active_ = 0;
    emitted_ = 0;
}

double TiltTurn::speedFor(double tilt)
{
    const double magnitude = std::min(std::abs(tilt), 1.0);
    if (!(magnitude > kDeadZone))
        return 0.0;
    // From nothing at the edge of the dead zone to the top speed at full tilt.
    const double speed = kTopSpeed * (magnitude - kDeadZone) / (1.0 - kDeadZone);
    return tilt < 0 ? speed : -speed;
}

void TiltTurn::setTilt(double tilt, int64_t nowMs)
{
    const double speed = speedFor(tilt);
    if (speed == speed_)
        return;
    owed_ += speed_ * static_cast<double>(nowMs - last_) / 1000.0;
    if (speed == 0.0)
        owed_ = 0.0; // a stick let go stops where the cannon is
    speed_ = speed;
    last_ = nowMs;
}

int TiltTurn::advance(int64_t nowMs)
{
    if (speed_ == 0.0) {
        last_ = nowMs;
        return 0;
    }
    owed_ += speed_ * static_cast<double>(nowMs - last_) / 1000.0;
    last_ = nowMs;
    const double whole = std::trunc(owed_);
    owed_ -= whole;
    return static_cast<int>(whole);
}

void TiltTurn::clear()
{
    speed_ = 0.0;
    owed_ = 0.0;
}

} // namespace quibix
