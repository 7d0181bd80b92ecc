#pragma once
// A recorded game: the options it started with, every screen and shot in
// the order they came (with the seed the generator was given for each),
// every option change at the place it was made, the name entered for a
// high score and how the game ended. Stored as short lines of text under
// the player's folder, "replays/"; the format is described in the README.
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quibix {

constexpr int kReplayVersion = 1;
// Bounds that keep a damaged or hostile file from costing much: a game of
// a million shots would take weeks to play.
constexpr std::size_t kMaxReplayBytes = 32u << 20;
constexpr std::size_t kMaxReplayEvents = 1'000'000;

// A screen set up: its number, the seed of its layout (none when the
// generator went on without one) and the background drawn for it. A game
// starts with screen 0; a practice start on a later screen follows it at
// once, and every other screen follows the shot that cleared the last.
struct ReplayScreen {
    int16_t screen = 0;
    std::optional<uint32_t> seed;
    int32_t background = 0;
    bool operator==(const ReplayScreen&) const = default;
};
// A shot at whole degrees 2..178, and the seed its turn was given.
struct ReplayShot {
    int16_t angle = 90;
    std::optional<uint32_t> seed;
    bool operator==(const ReplayShot&) const = default;
};
// The smallest group that vanishes, from the next shot on.
struct ReplayGroup {
    int16_t group = 3;
    bool operator==(const ReplayGroup&) const = default;
};
// The shape option, from the next screen on.
struct ReplayShape {
    int16_t shape = 0;
    bool operator==(const ReplayShape&) const = default;
};
using ReplayEvent = std::variant<ReplayScreen, ReplayShot, ReplayGroup, ReplayShape>;

enum class ReplayEnd { Lost, Stopped, Left };

struct Replay {
    // The options in force when "Start Game" was chosen.
    int16_t level = 0;      // the table the score goes to: 0 Easy, 1 Hard
    int16_t group = 3;      // 3..6
    int16_t shape = 0;      // 0..5
    std::array<int16_t, 6> pieces{0, 1, 2, 3, 4, 5}; // picture per kind, 0..11
    std::vector<ReplayEvent> events;
    // The name entered for a high score (UTF-8); empty when none was.
    std::string name;
    ReplayEnd end = ReplayEnd::Lost;
    int32_t score = 0;
    int16_t screens = 0;
    bool operator==(const Replay&) const = default;
};

// "lost", "stopped", "left".
const char* replayEndName(ReplayEnd end);

std::string formatReplay(const Replay& replay);
// The replay in `text`, or nothing with `error` saying what is wrong with
// it (the line and why). Anything else than what formatReplay writes, a
// newer version included, is refused.
std::optional<Replay> parseReplay(std::string_view text, std::string* error = nullptr);

// Reads at most kMaxReplayBytes (a larger file is refused unread).
std::optional<Replay> readReplay(const std::filesystem::path& file, std::string* error = nullptr);
// Writes a new file with the safe writer. False with `error` set when it
// cannot be written.
bool writeReplay(const std::filesystem::path& file, const Replay& replay, std::string* error = nullptr);

} // namespace quibix
