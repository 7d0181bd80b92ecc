// The high-score tables: reading, entering a score, the file's bytes.
#include "fakes/GameFixture.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace quibix::testing {
namespace {

std::string padded(const std::string& name)
{
    std::string s = name;
    s.resize(kNameLength, ' ');
    return s;
}

class RecordsTest : public BoardFixture {
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
            form->Records[k].Puntos = static_cast<float>(1000 - 100 * k);
            form->Records[10 + k].Puntos = static_cast<float>(5000 - 100 * k);
            form->Records[k].Nombre = padded("easy" + std::to_string(k));
            form->Records[10 + k].Nombre = padded("hard" + std::to_string(k));
        }
    }

    void offer(int32_t score, int16_t level = 0)
    {
        form->intRecordLevel = level;
        form->lngScore = score;
        form->GrabaRecords(false);
    }

    std::string name(int row) const { return form->Records[row].Nombre; }
    float score(int row) const { return form->Records[row].Puntos; }
};

TEST_F(RecordsTest, FreshStartShowsDefaultRowsAndCreatesAnEmptyFile)
{
    load();
    EXPECT_TRUE(std::filesystem::exists(datFile()));
    EXPECT_EQ(std::filesystem::file_size(datFile()), 0u);
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(window.caption(Caption::RecordName, k), padded("Quibix Master " + std::to_string(k + 1)));
        EXPECT_EQ(window.caption(Caption::RecordValue, k), "0000000");
    }
    EXPECT_EQ(name(19), padded("Quibix Master 10"));
}

TEST_F(RecordsTest, ScoreEntersAboveEqualScoresAndPushesTheLastOut)
{
    load();
    fillTables();
    window.answers.push_back(std::string("Ann"));
    offer(700);
    ASSERT_EQ(window.inputs.size(), 1u);
    EXPECT_EQ(window.inputs[0].title, "Congratulatios, you have done a new Record!!");
    EXPECT_EQ(window.inputs[0].prompt, "Enter your Name (max.25 characters)");
    EXPECT_EQ(window.inputs[0].proposed, "Quibix Master 7");
    EXPECT_EQ(score(3), 700.0f);
    EXPECT_EQ(name(3), padded("Ann"));
    EXPECT_EQ(name(4), padded("easy3"));
    EXPECT_EQ(score(9), 200.0f);
    EXPECT_EQ(window.caption(Caption::RecordName, 3), padded("Ann"));
    EXPECT_EQ(window.caption(Caption::RecordValue, 3), "0000700");

    // A tie with the tenth row replaces it and moves nothing.
    fillTables();
    offer(100);
    EXPECT_EQ(window.inputs.back().proposed, "Quibix Master 1");
    EXPECT_EQ(name(8), padded("easy8"));
    EXPECT_EQ(score(9), 100.0f);
    EXPECT_EQ(name(9), padded("Quibix Master 1"));
}

TEST_F(RecordsTest, LowerScoreChangesNothingAsksNothingWritesNothing)
{
    load();
    fillTables();
    const RecordTable before = form->Records;
    offer(99);
    EXPECT_TRUE(window.inputs.empty());
    EXPECT_EQ(std::filesystem::file_size(datFile()), 0u);
    for (int i = 0; i < kRecordRows; ++i)
        EXPECT_EQ(name(i), before[i].Nombre);
}

TEST_F(RecordsTest, EachLevelHasItsOwnTable)
{
    load();
    fillTables();
    offer(4950, 1);
    EXPECT_EQ(score(11), 4950.0f);
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(score(k), static_cast<float>(1000 - 100 * k));
    EXPECT_EQ(window.caption(Caption::RecordValue, 1), "0004950");

    // A game raised from Easy to Hard at screen 5 still enters Easy.
    Form1& g = startGame(allKinds());
    fillTables();
    g.NuevaPantalla(5);
    ASSERT_EQ(g.intLevel, 1);
    g.intPantalla = 5;
    g.lngScore = 950;
    g.MenuFile_Click(1);
    EXPECT_EQ(score(1), 950.0f);
    EXPECT_EQ(score(11), 4900.0f);
}

TEST_F(RecordsTest, FileHoldsTheRowsAtTheirBytes)
{
    load();
    window.answers.push_back(std::string("Jos\xC3\xA9 the long-named player of games")); // UTF-8 é
    offer(123456);
    const std::string bytes = fileBytes();
    ASSERT_EQ(bytes.size(), 608u);
    EXPECT_EQ(bytes.substr(0, 28), std::string(28, '\0'));
    float stored;
    const unsigned char le[4] = {static_cast<unsigned char>(bytes[28]), static_cast<unsigned char>(bytes[29]),
                                 static_cast<unsigned char>(bytes[30]), static_cast<unsigned char>(bytes[31])};
    const uint32_t bits = le[0] | le[1] << 8 | le[2] << 16 | static_cast<uint32_t>(le[3]) << 24;
    std::memcpy(&stored, &bits, 4);
    EXPECT_EQ(stored, 123456.0f);
    EXPECT_EQ(bytes.substr(32, 25), std::string("Jos\xE9 the long-named playe")); // cut at 25 bytes
    EXPECT_EQ(bytes.substr(28 + 29 + 4, 25), padded("Quibix Master 1"));

    // Read back at the next start-up, shown in UTF-8.
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
    startGame(allKinds());
    g.intGrados = 90;
    g.Picture1_Click();
    EXPECT_TRUE(g.gameRunning);
}

} // namespace
} // namespace quibix::testing
