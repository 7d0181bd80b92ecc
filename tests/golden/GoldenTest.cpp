// A few of the golden games, replayed: a stopped game, two lost on screen
// 0, and one that clears two screens, loses and enters a high score. Their
// summaries must match games.txt; regenerate it with
// `build/tests/quibix_golden 200 > tests/golden/games.txt` only after a
// change meant to be seen, such as new piece artwork.
#include "golden/GoldenRun.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>

namespace quibix::golden {
namespace {

TEST(GoldenGames, ReplayAsRecorded)
{
    std::ifstream file(QUIBIX_GOLDEN_GAMES);
    std::map<int, std::string> recorded;
    for (std::string line; std::getline(file, line);)
        recorded[std::stoi(line)] = line;
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    writeGoldenFolder(folder);
    for (int index : QUIBIX_GOLDEN_TEST_GAMES) {
        ASSERT_TRUE(recorded.count(index)) << QUIBIX_GOLDEN_GAMES << " lacks game " << index;
        const GameSpec spec = goldenGame(index);
        EXPECT_EQ(summary(spec, playGame(spec, folder)), recorded.at(index));
    }
}

// The answers of quibix-sim to `replay FILE`, one line each.
std::vector<std::string> simReplay(const std::filesystem::path& file)
{
    const std::string command = "echo 'replay " + file.string() + "' | '" QUIBIX_SIM "'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::vector<std::string> lines;
    char buffer[4096];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe.get()))
        lines.emplace_back(buffer);
    return lines;
}

// The score after each turn, as quibix-sim answers and as the window shows.
std::vector<std::string> simScores(const std::vector<std::string>& answers)
{
    std::vector<std::string> scores;
    for (const std::string& a : answers) {
        const auto at = a.find("\"last\":");
        const auto score = a.find("\"score\":", at == std::string::npos ? 0 : at);
        if (at != std::string::npos && score != std::string::npos)
            scores.push_back("caption 0 0 " + a.substr(score + 8, a.find(',', score) - score - 8));
    }
    return scores;
}

std::vector<std::string> scoreLines(const std::vector<std::string>& trace)
{
    std::vector<std::string> scores;
    for (const std::string& line : trace)
        if (line.rfind("caption 0 0 ", 0) == 0)
            scores.push_back(line);
    return scores;
}

TEST(GoldenGames, EveryGameIsRecordedAndPlaysAgainAlikeInTheWindowAndInTheSimulator)
{
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    writeGoldenFolder(folder);
    for (int index : QUIBIX_GOLDEN_TEST_GAMES) {
        const GameSpec spec = goldenGame(index);
        const GameResult played = playGame(spec, folder);
        const auto games = recordedGames(folder);
        ASSERT_EQ(games.size(), 1u) << "game " << index;
        const std::vector<std::string> seen = turnTrace(played.out);

        // Watched: the same effects in the same order and the same scores.
        const std::vector<std::string> watched = turnTrace(watchGame(spec, games.front(), folder));
        const auto [w, s] = std::mismatch(watched.begin(), watched.end(), seen.begin(), seen.end());
        EXPECT_TRUE(w == watched.end() && s == seen.end())
            << "game " << index << ", line " << (w - watched.begin()) << " of " << seen.size() << ": watched \""
            << (w == watched.end() ? "(end)" : *w) << "\", played \"" << (s == seen.end() ? "(end)" : *s) << "\"";

        // Verified headless: the same score after every turn, and the end.
        const std::vector<std::string> answers = simReplay(games.front());
        ASSERT_FALSE(answers.empty()) << "game " << index;
        EXPECT_NE(answers.back().find("\"result\":"), std::string::npos) << answers.back();
        EXPECT_EQ(simScores(answers), scoreLines(seen)) << "game " << index;
    }
}

} // namespace
} // namespace quibix::golden
