#pragma once
// Whole games played by a deterministic bot through Form1's handlers, with
// everything the game did to the outside recorded.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quibix::golden {

struct GameSpec {
    int index = 0;
    uint32_t seed = 0;
    int shape = 0; // 0..5
    int level = 0; // 0 Easy, 1 Hard
    int group = 3; // 3..6
};

struct GameResult {
    std::string out, rand; // what the game did; the random draws
    int shots = 0;
};

// The i-th game of the series: every shape, both levels, every group size.
GameSpec goldenGame(int index);

// An application folder of flat pictures and empty sounds and music, so the
// logs depend on the game's code and sprites only.
void writeGoldenFolder(const std::filesystem::path& appFolder);

GameResult playGame(const GameSpec& spec, const std::filesystem::path& appFolder);

// The games the last playGame recorded, in the order they ended.
std::vector<std::filesystem::path> recordedGames(const std::filesystem::path& appFolder);

// A recorded game watched through Form1 with the sound options of `spec`:
// what the game did, as playGame records it.
std::string watchGame(const GameSpec& spec, const std::filesystem::path& replay,
                      const std::filesystem::path& appFolder);

// What the player sees and hears of the turns in a trace: every effect but
// the high-score fanfare, and the score after each turn.
std::vector<std::string> turnTrace(const std::string& out);

// "index seed shape level group shots outhash randhash outlines".
std::string summary(const GameSpec& spec, const GameResult& result);

} // namespace quibix::golden
