// A few of the golden games, replayed: a stopped game, two lost on screen
// 0, and one that clears two screens, loses and enters a high score. Their
// summaries must match games.txt; regenerate it with
// `build/tests/quibix_golden 200 > tests/golden/games.txt` only after a
// change meant to be seen, such as new piece artwork.
#include "golden/GoldenRun.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <map>

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

} // namespace
} // namespace quibix::golden
