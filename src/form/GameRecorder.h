#pragma once
// Writes down the game being played as it goes: the options it started
// with, each screen and shot with its seed, each option change where it
// was made, and the name entered for its score. Form1 tells it what
// happens; the finished game goes to the replay shelf.
#include "storage/ReplayFile.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace quibix {

class GameRecorder {
public:
    // A new game with the options in force; a game still being recorded is
    // dropped (finish it first).
    void start(int16_t level, int16_t group, int16_t shape, const std::array<int16_t, 6>& pieces);
    bool recording() const { return game_.has_value(); }

    // The rest is ignored while no game is being recorded.
    void screen(int16_t number, std::optional<uint32_t> seed, int32_t background);
    void shot(int16_t angle, std::optional<uint32_t> seed);
    void group(int16_t group);
    void shape(int16_t shape);
    void name(const std::string& utf8);

    // The finished game; nothing is recorded afterwards until the next start.
    std::optional<Replay> finish(ReplayEnd end, int32_t score, int16_t screens);

private:
    std::optional<Replay> game_;
};

} // namespace quibix
