#pragma once
// Turning the cannon from keys and sticks: how many whole degrees to turn,
// given what is held and for how long. No Qt and no clock of its own: the
// shell feeds it the time, so the tests can too.
#include <cstdint>

namespace quibix {

// +1 turns the cannon left (the angle grows towards 178), -1 right.
enum class TurnDirection : int { Left = 1, Right = -1 };

// A key (or a D-pad button) held down: one degree at once, then, after a
// short hold, turning that speeds up to kTopSpeed.
class HeldTurn {
public:
    static constexpr int64_t kRepeatDelayMs = 250;  // a tap turns one degree only
    static constexpr double kStartSpeed = 15.0;     // degrees a second once repeating
    static constexpr double kTopSpeed = 90.0;       // degrees a second after the ramp
    static constexpr int64_t kRampMs = 500;

    // The degrees to turn at once: one in `d`'s direction for a new press,
    // nothing for a direction already held.
    int press(TurnDirection d, int64_t nowMs);
    void release(TurnDirection d, int64_t nowMs);
    // The degrees turned by the hold since the last call (signed).
    int advance(int64_t nowMs);
    // Forgets what is held (a shot starts, the window loses the keys).
    void clear();

    bool held(TurnDirection d) const { return held_[index(d)]; }
    bool turning() const { return active_ != 0; }

    // Degrees a hold of `ms` has turned beyond its first one.
    static double repeatedDegrees(int64_t ms);

private:
    static int index(TurnDirection d) { return d == TurnDirection::Left ? 0 : 1; }
    void hold(int direction, int64_t nowMs);

    bool held_[2] = {false, false};
    int active_ = 0;        // +1, -1, or 0 when nothing is held
    int64_t since_ = 0;     // when the active direction's hold began
    int emitted_ = 0;       // whole repeated degrees already given
};

// A stick tilted: the tilt sets the turning speed, up to kTopSpeed at full
// tilt, nothing inside the dead zone (a stick at rest never sits at 0).
class TiltTurn {
public:
    static constexpr double kDeadZone = 0.25;
    static constexpr double kTopSpeed = HeldTurn::kTopSpeed;

    // `tilt` from -1 (full left) to 1 (full right), as the stick reports it.
    void setTilt(double tilt, int64_t nowMs);
    // The degrees turned since the last call (signed; left is positive).
    int advance(int64_t nowMs);
    void clear();
    bool turning() const { return speed_ != 0.0; }

    // Degrees a second for a tilt; left tilts turn left (positive).
    static double speedFor(double tilt);

private:
    double speed_ = 0.0;
    double owed_ = 0.0; // fractions of a degree carried to the next call
    int64_t last_ = 0;
};

} // namespace quibix
