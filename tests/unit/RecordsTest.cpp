// The high-score tables: reading, entering a score, the file's bytes.
#include "fakes/Form1TestAccess.h"
#include "fakes/GameFixture.h"

#include <cmath>
#include <fstream>
#include <limits>
#include <iterator>

namespace quibix::testing {
namespace {

std::string padded(const std::string& name)
{
    std::string s = name;
    s.resize(kNameLength, ' ');
    return s;
}

class RecordsTest : public GameFixture {
protected:
    std::filesystem::path datFile() const { return folder.path() / "data" / "Quibix.dat"; }

    std::string fileBytes() const
    {
        std::ifstream in(datFile(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Easy table 1000, 900, ... 100 and Hard table 5000, 4900, ...
    void fillTables()
    {
        for (int k = 0; k < 10; ++k) {
            Form1TestAccess::records(*form)[k] = {static_cast<float>(1000 - 100 * k), padded("easy" + std::to_string(k))};
            Form1TestAccess::records(*form)[10 + k] = {static_cast<float>(5000 - 100 * k), padded("hard" + std::to_string(k))};
        }
    }

    void offer(int32_t score, int16_t level = 0)
    {
        Form1TestAccess::recordLevel(*form) = level;
        Form1TestAccess::engine(*form).setScore(score);
        form->GrabaRecords(false);
    }

    std::string name(int row) const { return form->records()[row].Nombre; }
    float score(int row) const { return form->records()[row].Puntos; }
};

TEST_F(RecordsTest, FreshStartShowsDefaultRowsAndCreatesAnEmptyFile)
{
    load();
    EXPECT_EQ(std::filesystem::file_size(datFile()), 0u);
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(window.caption(Caption::RecordName, k), padded("Quibix Master " + std::to_string(k + 1)));
        EXPECT_EQ(window.caption(Caption::RecordValue, k), "0000000");
    }
    EXPECT_EQ(name(19), padded("Quibix Master 10"));
}

TEST_F(RecordsTest, AScoreEntersItsLevelsTableAboveEqualScoresAndPushesTheLastOut)
{
    struct Case { int32_t score; int16_t level; int row; const char* proposed; }; // row -1: not entered
    const Case cases[] = {{99, 0, -1, nullptr}, {4099, 1, -1, nullptr}, {700, 0, 3, "Quibix Master 7"},
                          {100, 0, 9, "Quibix Master 1"}, {4950, 1, 11, "Quibix Master 9"}};
    load();
    for (const Case& k : cases) {
        fillTables();
        const RecordTable before = form->records();
        window.inputs.clear();
        window.answers = {std::string("Ann")};
        offer(k.score, k.level);
        if (k.row < 0) { // nothing asked, changed or written
            EXPECT_TRUE(window.inputs.empty()) << k.score;
            EXPECT_EQ(std::filesystem::file_size(datFile()), 0u);
        } else {
            ASSERT_EQ(window.inputs.size(), 1u);
            EXPECT_EQ(window.inputs[0].proposed, k.proposed);
            EXPECT_EQ(window.caption(Caption::RecordName, k.row % 10), padded("Ann"));
            EXPECT_EQ(window.caption(Caption::RecordValue, k.row % 10),
                      formatScore(static_cast<float>(k.score)));
        }
        for (int i = 0; i < kRecordRows; ++i) {
            if (i == k.row) {
                EXPECT_EQ(score(i), static_cast<float>(k.score));
                EXPECT_EQ(name(i), padded("Ann"));
                continue;
            }
            // Rows below the new one in its table move down one.
            const int from = k.row >= 0 && i / 10 == k.row / 10 && i > k.row ? i - 1 : i;
            EXPECT_EQ(score(i), before[from].Puntos) << k.score << " row " << i;
            EXPECT_EQ(name(i), before[from].Nombre) << k.score << " row " << i;
        }
    }
    EXPECT_EQ(window.inputs[0].title, "Congratulatios, you have done a new Record!!");
    EXPECT_EQ(window.inputs[0].prompt, "Enter your Name (max.25 characters)");
}

TEST_F(RecordsTest, FileHoldsTheRowsAtTheirBytesAndTheNextStartReadsThem)
{
    load();
    window.answers.push_back(std::string("Jos\xC3\xA9 the long-named player of games")); // UTF-8 é
    offer(123456);
    const std::string bytes = fileBytes();
    ASSERT_EQ(bytes.size(), 608u);
    EXPECT_EQ(bytes.substr(0, 28), std::string(28, '\0'));
    EXPECT_EQ(bytes.substr(28, 4), std::string("\x00\x20\xF1\x47", 4)); // 123456.0f, little-endian
    EXPECT_EQ(bytes.substr(32, 25), std::string("Jos\xE9 the long-named playe")); // cut at 25 bytes
    EXPECT_EQ(bytes.substr(28 + 29 + 4, 25), padded("Quibix Master 1"));

    form.reset();
    load();
    EXPECT_EQ(score(0), 123456.0f);
    EXPECT_EQ(window.caption(Caption::RecordName, 0), "Jos\xC3\xA9 the long-named playe");
}

TEST_F(RecordsTest, BlankAndDamagedNames)
{
    // Cancel leaves 25 spaces, shown as they are until the next start-up.
    load();
    window.answers.push_back(std::nullopt);
    offer(50);
    EXPECT_EQ(name(0), std::string(25, ' '));
    EXPECT_EQ(window.caption(Caption::RecordName, 0), std::string(25, ' '));

    // A NUL in a stored name ends it.
    std::string bytes = fileBytes();
    bytes.replace(28 + 29 + 4, 25, std::string("Ab\0cdxxxxxxxxxxxxxxxxxxxx", 25));
    std::ofstream(datFile(), std::ios::binary | std::ios::trunc) << bytes;
    form.reset();
    load();
    EXPECT_EQ(name(0), padded("Quibix Master 1"));
    EXPECT_EQ(window.caption(Caption::RecordName, 1), padded("Ab"));
}

TEST_F(RecordsTest, DamagedScoresRankAsTheZeroTheyShow)
{
    load();
    fillTables();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Form1TestAccess::records(*form)[0].Puntos = nan;
    Form1TestAccess::records(*form)[1].Puntos = -5.0f;
    Form1TestAccess::records(*form)[2].Puntos = 1e12f;
    form->showRecordTable(0);
    EXPECT_EQ(window.caption(Caption::RecordValue, 0), "0000000");

    // Beats the damaged top row, which would otherwise never be beaten.
    offer(10);
    EXPECT_EQ(score(0), 10.0f);
    EXPECT_TRUE(std::isnan(score(1)));
}

TEST_F(RecordsTest, UnwritableFileKeepsTheGameGoing)
{
    // A folder where the file should be: it can be neither read nor written.
    std::filesystem::create_directories(datFile());
    Form1& g = load();
    EXPECT_EQ(window.caption(Caption::RecordValue, 0), "0000000");
    EXPECT_TRUE(window.messages.empty());

    offer(300);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].first.rfind("Your score could not be saved:\r", 0), 0u);
    EXPECT_EQ(window.messages[0].second, "Quibix");
    EXPECT_EQ(score(0), 300.0f);
    EXPECT_EQ(window.caption(Caption::RecordValue, 0), "0000300");

    // Play goes on: a new game starts and takes a shot.
    startGame({0.0f, 0.2f, 0.4f, 0.6f, 0.8f, 0.99f});
    g.Picture1_MouseMove(180.0f, 0.0f);
    g.Picture1_Click();
    EXPECT_EQ(g.engine().usadas(), 1);
    EXPECT_TRUE(g.running());
}

} // namespace
} // namespace quibix::testing
