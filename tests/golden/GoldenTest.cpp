// A few of the golden games, replayed: everything the game showed, played
// and asked must match what was recorded (games.txt; regenerate it with
// `build/tests/quibix_golden 240 > tests/golden/games.txt` after a change
// meant to be seen, such as new piece artwork).
// The four: a stopped game, two lost on screen 0, and one that clears two
// screens, loses and enters a high score.
#include "golden/GoldenRun.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace quibix::golden {
namespace {

std::map<int, std::string> recordedSummaries()
{
    std::ifstream file(QUIBIX_GOLDEN_GAMES);
    std::map<int, std::string> rows;
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        int index = -1;
        if (fields >> index)
            rows[index] = line;
    }
    return rows;
}

TEST(GoldenGames, ReplayAsRecorded)
{
    const auto recorded = recordedSummaries();
    ASSERT_FALSE(recorded.empty()) << QUIBIX_GOLDEN_GAMES;
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    writeGoldenFolder(folder);
    for (int index : QUIBIX_GOLDEN_TEST_GAMES) {
        const GameSpec spec = goldenGame(index);
        ASSERT_TRUE(recorded.count(index)) << "game " << index;
        EXPECT_EQ(summary(spec, playGame(spec, folder)), recorded.at(index));
    }
}

} // namespace
} // namespace quibix::golden
