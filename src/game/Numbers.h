#pragma once
// The game's number conventions in one place.
#include <cmath>
#include <cstdint>

namespace quibix {

// N(v): the nearest integer, a value exactly halfway going to the even
// neighbour (the default rounding mode). Every float-to-integer conversion
// of the rules goes through here so that 92.5 becomes 92 everywhere.
inline int32_t N(double v) { return static_cast<int32_t>(std::nearbyint(v)); }
inline int32_t N(float v) { return static_cast<int32_t>(std::nearbyintf(v)); }

// The game's Booleans are 16-bit: true is -1, false is 0.
constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

} // namespace quibix
