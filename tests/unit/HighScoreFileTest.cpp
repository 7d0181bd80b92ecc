#include "fakes/FileBytes.h"
#include "storage/HighScoreFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

namespace fs = std::filesystem;
using namespace quibix;
using namespace quibix::testing;

namespace {

RecordTable sampleRows()
{
    RecordTable rows;
    rows[0] = {1234567.0f, "Ana" + std::string(22, ' ')}; // no byte of it zero
    rows[10] = {50.0f, std::string("Hard\0\0", 6) + std::string(19, 'x')};
    rows[19] = {1.0f, std::string(25, 'z')};
    return rows;
}

void expectRows(const RecordTable& actual, const RecordTable& expected)
{
    for (int i = 0; i < kRecordRows; ++i) {
        EXPECT_EQ(actual[i].Puntos, expected[i].Puntos) << "row " << i;
        EXPECT_EQ(actual[i].Nombre, expected[i].Nombre) << "row " << i;
    }
}

class HighScoreFileTest : public ::testing::Test {
protected:
    QTemporaryDir temp;
    fs::path dir = temp.path().toStdString();
    fs::path file = dir / "Quibix.dat";
};

TEST_F(HighScoreFileTest, MissingFileIsCreatedEmptyAFolderIsRefusedAndWritesKeepTheExactLayout)
{
    RecordTable rows = sampleRows();
    ASSERT_TRUE(HighScoreFile(file).read(rows));
    expectRows(rows, RecordTable{});
    EXPECT_EQ(fs::file_size(file), 0u);
    // A folder that cannot hold it: nothing to lose, still the zero rows.
    EXPECT_TRUE(HighScoreFile(dir / "gone" / "Quibix.dat").read(rows));
    // A folder in the file's place is a failure, and leaves no old rows.
    fs::create_directory(dir / "folder.dat");
    rows = sampleRows();
    EXPECT_FALSE(HighScoreFile(dir / "folder.dat").read(rows));
    expectRows(rows, RecordTable{});

    ASSERT_TRUE(HighScoreFile(file).write(sampleRows()));
    const std::string b = fileBytes(file);
    ASSERT_EQ(b.size(), 608u);
    EXPECT_EQ(b.substr(0, 28), std::string(28, '\0'));
    EXPECT_EQ(b.substr(28, 7), "\x38\xB4\x96\x49" "Ana");
    EXPECT_EQ(b.substr(579, 5), std::string("\x00\x00\x80\x3F" "z", 5));          // row 20
    ASSERT_TRUE(HighScoreFile(file).read(rows));
    expectRows(rows, sampleRows());
}

TEST_F(HighScoreFileTest, RewriteKeepsTheBytesOutsideTheRowsOfALongOrShortFile)
{
    const std::string longer = patternBytes(700);
    std::ofstream(file, std::ios::binary) << longer;
    ASSERT_TRUE(HighScoreFile(file).write(sampleRows()));
    std::string after = fileBytes(file);
    ASSERT_EQ(after.size(), 700u);
    EXPECT_EQ(after.substr(0, 28), longer.substr(0, 28));
    EXPECT_EQ(after.substr(608), longer.substr(608));

    // Row 1 whole, row 2 cut inside its name: zeros beyond the end.
    const std::string shorter = patternBytes(28 + 29 + 10);
    std::ofstream(file, std::ios::binary) << shorter;
    RecordTable rows;
    ASSERT_TRUE(HighScoreFile(file).read(rows));
    EXPECT_EQ(rows[0].Nombre, shorter.substr(32, 25));
    EXPECT_EQ(rows[1].Nombre, shorter.substr(61) + std::string(19, '\0'));
    EXPECT_EQ(rows[19].Nombre, std::string(25, '\0'));
    ASSERT_TRUE(HighScoreFile(file).write(sampleRows()));
    after = fileBytes(file);
    EXPECT_EQ(after.size(), 608u);
    EXPECT_EQ(after.substr(0, 28), shorter.substr(0, 28));
}

TEST_F(HighScoreFileTest, WritingThroughALinkKeepsTheLinkAndThePermissions)
{
    const fs::path real = dir / "real.dat";
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    std::ofstream(real) << "";
    fs::permissions(real, mode);
    fs::create_symlink(real, file);

    ASSERT_TRUE(HighScoreFile(file).write(sampleRows()));
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(fs::file_size(real), 608u);
    EXPECT_EQ(fs::status(real).permissions(), mode);
}

TEST(FormatScore, SevenDigitsAtLeastAndNeverGarbage)
{
    // RecordsTest has NaN, 2^31 (shown as 2147483647) and 12.5 (shown as 12).
    const std::pair<float, const char*> cases[] = {
        {0.0f, "0000000"}, {12345678.0f, "12345678"}, {13.5f, "0000014"}, // halves go to the even neighbour
        {2147483520.0f, "2147483520"}, // the largest float below 2^31
        // Damaged values never show as garbage; 2147483904 is the next float above 2^31.
        {std::numeric_limits<float>::infinity(), "0000000"}, {-5.0f, "0000000"}, {1e12f, "0000000"},
        {2147483904.0f, "0000000"}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(formatScore(value), expected) << value;
}

} // namespace

TEST(StorableName, TheNameBoxTakesAtMost25CharactersTheFileCanHold)
{
    const std::pair<std::string, bool> cases[] = {
        {std::string(25, 'x'), true}, {std::string(26, 'x'), false}, {"", true},
        {"Jos\xC3\xA9 " + std::string(20, 'e'), true}, // 25 characters, 26 UTF-8 bytes
        {"Ann\xE4\xB8\xAD", false}, {"unit\x1F", false}, {"del\x7F", false},
    };
    for (const auto& [name, storable] : cases)
        EXPECT_EQ(isStorableName(name), storable) << name;
}
