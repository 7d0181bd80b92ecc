// Recorded games on disk: the text round trip, what a damaged or hostile
// file gets, and which games the shelf keeps and finds for a table row.
#include "storage/ReplayFile.h"
#include "storage/ReplayShelf.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace quibix {
namespace {

namespace fs = std::filesystem;

Replay sampleGame()
{
    Replay r;
    r.level = 1;
    r.group = 4;
    r.shape = 5;
    r.pieces = {0, 2, 4, 6, 8, 11};
    r.events = {ReplayScreen{0, 12345u, 2}, ReplayScreen{1, std::nullopt, 1}, ReplayShot{2, 4294967295u},
                ReplayGroup{6}, ReplayShot{178, 0u}, ReplayShape{0}, ReplayShot{90, std::nullopt}};
    r.name = "Zoë ?";
    r.end = ReplayEnd::Stopped;
    r.score = 2147483647;
    r.screens = 1;
    return r;
}

TEST(ReplayFileTest, AGameReadsBackAsWrittenAndACutFileNeverReads)
{
    const Replay game = sampleGame();
    const std::string text = formatReplay(game);
    EXPECT_EQ(parseReplay(text), game);
    // Cut at any byte, the file is refused: the end line is the last one
    // and every line ends in a newline.
    for (std::size_t cut = 0; cut < text.size(); ++cut) {
        std::string why;
        EXPECT_FALSE(parseReplay(text.substr(0, cut), &why)) << cut;
        EXPECT_FALSE(why.empty()) << cut;
    }
}

TEST(ReplayFileTest, HostileLinesAreRefusedWithTheLineNamed)
{
    const std::string head = "Quibix replay 1\nlevel easy\ngroup 3\nshape 0\npieces 0 1 2 3 4 5\n";
    struct Case { std::string text, says; };
    for (const Case& c : {
             Case{"Quibix replay 2\n", "newer Quibix"},
             Case{"Quibix replay 0\n", "not a Quibix replay"},
             Case{"Quibix replay 01\n", "not a Quibix replay"},
             Case{head + "shot 1 5\nend lost 0 0\n", "line 6"},       // below the lowest angle
             Case{head + "shot 179 5\nend lost 0 0\n", "line 6"},     // above the highest
             Case{head + "shot 90 4294967296\nend lost 0 0\n", "line 6"},
             Case{head + "shot 90 +5\nend lost 0 0\n", "line 6"},
             Case{head + "group 7\nend lost 0 0\n", "line 6"},
             Case{head + "screen 0 1 1000001\nend lost 0 0\n", "line 6"},
             Case{head + "end won 0 0\n", "\"lost\", \"stopped\" or \"left\""},
             Case{head + "end lost -1 0\n", "line 6"},
             Case{head + "name \x01\nend lost 0 0\n", "name"},
             Case{head + "name " + std::string(26, 'a') + "\nend lost 0 0\n", "name"},
             Case{head + "end lost 0 0\nshot 90 1\n", "more after the end"},
             Case{"Quibix replay 1\nlevel easy\ngroup 3\nshape 0\npieces 0 1 2 3 4 12\n", "pieces"},
         }) {
        std::string why;
        EXPECT_FALSE(parseReplay(c.text, &why)) << c.text;
        EXPECT_NE(why.find(c.says), std::string::npos) << why;
    }
    // The limits themselves are taken.
    EXPECT_TRUE(parseReplay(head + "shot 2 0\nshot 178 4294967295\nname " + std::string(25, 'a') +
                            "\nend left 2147483647 32767\n"));
}

TEST(ReplayFileTest, OnlyOrdinaryFilesOfBoundedSizeAreRead)
{
    QTemporaryDir dir;
    const fs::path folder = dir.path().toStdString();
    std::string why;
    EXPECT_FALSE(readReplay(folder, &why));
    EXPECT_FALSE(readReplay("/dev/zero", &why)) << "a device could be read for ever";
    EXPECT_NE(why.find("not an ordinary file"), std::string::npos);
    EXPECT_FALSE(readReplay(folder / "missing.replay", &why));

    // One byte over the limit is refused unread, whatever it holds.
    const fs::path big = folder / "big.replay";
    fs::resize_file((std::ofstream(big), big), kMaxReplayBytes + 1);
    EXPECT_FALSE(readReplay(big, &why));
    EXPECT_NE(why.find("too large"), std::string::npos);

    const fs::path good = folder / "good.replay";
    ASSERT_TRUE(writeReplay(good, sampleGame()));
    EXPECT_EQ(readReplay(good), sampleGame());
}

Record row(float score, const std::string& name)
{
    Record r;
    r.Puntos = score;
    r.Nombre = name;
    r.Nombre.resize(kNameLength, ' ');
    return r;
}

Replay game(int16_t level, int32_t score, const std::string& name)
{
    Replay r;
    r.level = level;
    r.score = score;
    r.name = name;
    return r;
}

TEST(ReplayShelfTest, ARowFindsTheNewestGameOfItsTableScoreAndName)
{
    QTemporaryDir dir;
    const ReplayShelf shelf(fs::path(dir.path().toStdString()) / "replays");
    const fs::path older = shelf.save(game(0, 500, "Ann"), 1000);
    const fs::path newer = shelf.save(game(0, 500, "Ann"), 2000);
    const fs::path hard = shelf.save(game(1, 500, "Ann"), 3000);
    const fs::path unnamed = shelf.save(game(0, 70, ""), 4000);
    const fs::path other = shelf.save(game(0, 500, "Bob"), 5000);
    ASSERT_FALSE(older.empty());
    EXPECT_NE(older, newer);

    RecordTable table;
    table[0] = row(500.0f, "Ann");
    table[1] = row(500.0f, "Ann"); // two rows, two games
    table[2] = row(70.0f, "Quibix Master 3");
    table[3] = row(71.0f, "Bob");
    table[10] = row(500.4f, "Ann");  // rounds to the Hard game's score
    const auto rows = shelf.forRows(table);
    EXPECT_EQ(rows[0], newer);
    EXPECT_EQ(rows[1], older);
    EXPECT_EQ(rows[2], unnamed) << "no name entered: the row keeps the default";
    EXPECT_TRUE(rows[3].empty());
    EXPECT_EQ(rows[10], hard);
    EXPECT_TRUE(std::find(rows.begin(), rows.end(), other) == rows.end());
}

TEST(ReplayShelfTest, PruningKeepsTheNewestFiftyAndEveryGameOfATable)
{
    QTemporaryDir dir;
    const ReplayShelf shelf(fs::path(dir.path().toStdString()) / "replays");
    const fs::path best = shelf.save(game(0, 9999, "Best"), 100);
    for (int i = 1; i <= kKeptReplays + 1; ++i)
        shelf.save(game(0, i, ""), 1000 + i);
    RecordTable table;
    table[0] = row(9999.0f, "Best");
    shelf.prune(table);
    int left = 0;
    for (const auto& entry : fs::directory_iterator(shelf.folder())) {
        left += entry.path() != best;
        EXPECT_FALSE(entry.path().string().ends_with("-0000000001.replay")) << "the oldest of the rest goes";
    }
    EXPECT_EQ(left, kKeptReplays);
    EXPECT_TRUE(fs::exists(best));
}

TEST(ReplayShelfTest, AShelfThatCannotBeMadeSaysWhy)
{
    QTemporaryDir dir;
    const fs::path file = fs::path(dir.path().toStdString()) / "file";
    std::ofstream(file) << "x";
    std::string why;
    EXPECT_TRUE(ReplayShelf(file / "replays").save(game(0, 1, ""), 1, &why).empty());
    EXPECT_FALSE(why.empty());
}

} // namespace
} // namespace quibix
