// The high-score tables through the window: reading, entering a score,
// saving. The file's layout and permissions are HighScoreFileTest's.
#include "fakes/GameFixture.h"

#include <cstring>
#include <limits>

namespace quibix::testing {
namespace {

std::string padded(std::string name)
{
    name.resize(kNameLength, ' ');
    return name;
}

class RecordsTest : public GameFixture {
protected:
    std::filesystem::path datFile() const { return folder.path() / "data" / "Quibix.dat"; }
    RecordTable saved() const { return savedRecords(); }
    // Tables the game reads again from its file.
    void store(const RecordTable& rows)
    {
        EXPECT_TRUE(HighScoreFile(datFile()).write(rows));
        form->LeeRecords();
    }

    // Easy table 1000, 900, ... 100 and Hard table 5000, 4900, ...
    static RecordTable fullTables()
    {
        RecordTable rows{};
        for (int k = 0; k < 10; ++k) {
            rows[k] = {static_cast<float>(1000 - 100 * k), padded("easy" + std::to_string(k))};
            rows[10 + k] = {static_cast<float>(5000 - 100 * k), padded("hard" + std::to_string(k))};
        }
        return rows;
    }
    // A game of `level` ending with `score`, offered for its table.
    void offer(int32_t score, int16_t level = 0)
    {
        form->MenuLevel_Click(level);
        rules().setScore(score);
        form->GrabaRecords(false);
    }
};

TEST_F(RecordsTest, AScoreEntersItsLevelsTableAboveEqualScoresAndPushesTheLastOut)
{
    struct Case { int32_t score; int16_t level; int row; const char* proposed; }; // row -1: not entered
    const Case cases[] = {{99, 0, -1, nullptr}, {4099, 1, -1, nullptr}, {700, 0, 3, "Quibix Master 7"},
                          {100, 0, 9, "Quibix Master 1"}, {4950, 1, 11, "Quibix Master 9"}};
    // A fresh start shows the default rows and creates an empty file.
    load();
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(window.caption(Caption::RecordName, k), padded("Quibix Master " + std::to_string(k + 1)));
        EXPECT_EQ(window.caption(Caption::RecordValue, k), "0000000");
    }
    EXPECT_EQ(std::filesystem::file_size(datFile()), 0u);
    form->MenuLevel_Click(1);
    EXPECT_EQ(window.caption(Caption::RecordName, 9), padded("Quibix Master 10"));
    for (const Case& k : cases) {
        const RecordTable before = fullTables();
        store(before);
        const std::string bytes = folder.readFile("data/Quibix.dat");
        window.inputs.clear();
        window.answers = {std::string("Ann")};
        offer(k.score, k.level);
        if (k.row < 0) { // nothing asked, changed or written
            EXPECT_TRUE(window.inputs.empty()) << k.score;
            EXPECT_EQ(folder.readFile("data/Quibix.dat"), bytes);
        } else {
            ASSERT_EQ(window.inputs.size(), 1u);
            EXPECT_EQ(window.inputs[0], k.proposed);
            EXPECT_EQ(window.caption(Caption::RecordName, k.row % 10), padded("Ann"));
            EXPECT_EQ(window.caption(Caption::RecordValue, k.row % 10), formatScore(static_cast<float>(k.score)));
        }
        const RecordTable after = saved();
        for (int i = 0; i < kRecordRows; ++i) {
            // Rows below the new one in its table move down one.
            const int from = k.row >= 0 && i / 10 == k.row / 10 && i > k.row ? i - 1 : i;
            const Record expected = i == k.row ? Record{float(k.score), padded("Ann")} : before[from];
            EXPECT_EQ(after[i].Puntos, expected.Puntos) << k.score << " row " << i;
            EXPECT_EQ(after[i].Nombre, expected.Nombre) << k.score << " row " << i;
        }
    }
}

TEST_F(RecordsTest, NamesAreSavedCutTo25BytesAndReadBackClean)
{
    load();
    window.answers = {std::string("Jos\xC3\xA9 the long-named player of games"), std::nullopt}; // UTF-8 é
    offer(123456);
    offer(50);
    EXPECT_EQ(window.caption(Caption::RecordName, 1), std::string(25, ' ')); // Cancel leaves spaces
    // The file holds single-byte letters (its layout is HighScoreFileTest's).
    std::string bytes = folder.readFile("data/Quibix.dat");
    EXPECT_EQ(bytes.substr(32, 25), std::string("Jos\xE9 the long-named playe"));

    // A NUL in a stored name ends it.
    bytes.replace(28 + 29 + 4, 25, std::string("Ab\0cdxxxxxxxxxxxxxxxxxxxx", 25));
    folder.writeFile("data/Quibix.dat", bytes);
    restart();
    EXPECT_EQ(window.caption(Caption::RecordValue, 0), "0123456");
    EXPECT_EQ(window.caption(Caption::RecordName, 0), "Jos\xC3\xA9 the long-named playe");
    EXPECT_EQ(window.caption(Caption::RecordName, 1), padded("Ab"));

    // Line breaks and other control bytes show as spaces, on the name's own row.
    RecordTable rows = saved();
    rows[2].Nombre = padded("Line\r\nbreak\tand\x7F");
    store(rows);
    EXPECT_EQ(window.caption(Caption::RecordName, 2), padded("Line  break and "));
}

TEST_F(RecordsTest, ShownAndRankedScoresAgreeAtTheTopBetweenWholeNumbersAndWhenDamaged)
{
    // 2^31 (the largest scores in single precision) shows and ranks as 2147483647,
    // 12.5 as 12, a damaged score as the 0 it shows, or it could never be beaten.
    struct Case { float stored; const char* shown; int32_t game; bool enters; };
    const Case cases[] = {{2147483648.0f, "2147483647", 2147483583, false},
                          {2147483648.0f, "2147483647", 2147483647, true},
                          {12.5f, "0000012", 11, false},
                          {12.5f, "0000012", 12, true},
                          {std::numeric_limits<float>::quiet_NaN(), "0000000", 0, true}};
    load();
    for (const Case& c : cases) {
        RecordTable rows = fullTables();
        for (int k = 0; k < 10; ++k)
            rows[k].Puntos = 0.0f;
        rows[0].Puntos = c.stored;
        store(rows);
        EXPECT_EQ(window.caption(Caption::RecordValue, 0), c.shown);
        offer(c.game);
        // Entered above it, the stored row (NaN too) moved down to row 1.
        const float moved = saved()[1].Puntos;
        EXPECT_EQ(std::memcmp(&moved, &c.stored, sizeof c.stored) == 0, c.enters) << c.game;
        EXPECT_EQ(window.caption(Caption::RecordValue, 0), c.enters ? formatScore(float(c.game)) : c.shown);
    }
}

TEST_F(RecordsTest, AScoreThatCannotBeSavedIsSaidKeptInMemoryAndPlayGoesOn)
{
    // A folder where the file should be: it can be neither read nor written.
    std::filesystem::create_directories(datFile());
    load();
    EXPECT_TRUE(window.messages.empty());
    offer(300);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].rfind("Your score could not be saved:", 0), 0u);
    EXPECT_EQ(window.caption(Caption::RecordValue, 0), "0000300");
    EXPECT_TRUE(startGame().running());
}

} // namespace
} // namespace quibix::testing
