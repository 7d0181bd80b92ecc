// "Quibix.cfg" below the game; its layout is pinned through the game (OptionsTest).
#include "fakes/FileBytes.h"
#include "storage/SettingsFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quibix;

namespace {

using Bytes = std::vector<unsigned char>;

// Groups of 6, Random, pictures 0 3 5 7 9 11, "\Space\".
const Bytes kSaved = {6, 0, 5, 0, 0xFF, 0xFF, 3, 0, 5, 0, 7, 0, 9, 0, 11, 0, 0, 0,
                      7, 0, '\\', 'S', 'p', 'a', 'c', 'e', '\\'};

TEST(SettingsFormat, ShortFilesReadAsZeroAndTheSkinMustLieInsideTheFile)
{
    EXPECT_EQ(parseConfig(Bytes{}).Combinaciones, 0);
    EXPECT_EQ(parseConfig(Bytes{5}).Combinaciones, 5); // the missing high byte is zero

    struct Case { int16_t length; size_t bytesAfter; bool read; };
    for (const Case c : {Case{3, 3, true}, Case{4, 3, false}, Case{-1, 3, false}, Case{0, 3, false},
                         Case{-32768, 0, false}}) {
        Bytes bytes(18, 0);
        bytes.push_back(static_cast<unsigned char>(c.length & 0xFF));
        bytes.push_back(static_cast<unsigned char>((c.length >> 8) & 0xFF));
        bytes.insert(bytes.end(), c.bytesAfter, 'x');
        EXPECT_EQ(parseConfig(bytes).Skin, c.read ? std::string(static_cast<size_t>(c.length), 'x') : "")
            << "length " << c.length;
    }
}

TEST(SettingsFormat, ValuesOutOfRangeGiveTheDefaults)
{
    struct Case { int16_t stored; bool set; int16_t used; };
    for (const Case c : {Case{2, false, 3}, Case{3, true, 3}, Case{6, true, 6}, Case{7, false, 3}}) {
        Config config;
        config.Combinaciones = c.stored;
        const SavedOptions o = checkedOptions(config);
        EXPECT_EQ(o.combinacionesSet, c.set) << c.stored;
        EXPECT_EQ(o.combinaciones, c.used) << c.stored;
    }
    for (const auto& [stored, used] : {std::pair<int16_t, int16_t>{-1, 0}, {0, 0}, {5, 5}, {6, 0}}) {
        Config config;
        config.Forma = stored;
        EXPECT_EQ(checkedOptions(config).forma, used) << stored;
    }

    const std::array<int16_t, 6> defaults{0, 1, 2, 3, 4, 5};
    struct Pieces { std::array<int16_t, 7> stored; std::array<int16_t, 6> used; };
    for (const Pieces& c : {
             Pieces{{0, 0, 0, 0, 0, 11, 0}, {0, 1, 2, 3, 4, 11}},    // 0: the slot's own kind
             Pieces{{-1, 1, 2, 3, 4, 11, 0}, {0, 1, 2, 3, 4, 11}},    // top picture
             Pieces{{-1, 1, 2, 3, 4, 12, 0}, defaults},              // past the top
             Pieces{{-2, 1, 2, 3, 4, 5, 0}, defaults},               // below -1
             Pieces{{6, 7, 8, 9, 10, 11, 99}, {6, 7, 8, 9, 10, 11}}, // slot 6 unused
             Pieces{{1, 3, 2, 4, 5, 6, 0}, defaults},                // out of order
             Pieces{{1, 3, 3, 4, 5, 6, 0}, defaults},                // a picture twice
         }) {
        Config config;
        config.Piezas = c.stored;
        EXPECT_EQ(checkedOptions(config).piezas, c.used) << c.stored[0] << "," << c.stored[5];
    }

    Config config;
    config.Skin = "-Default-";
    EXPECT_EQ(checkedOptions(config).skin, "");
}

class SettingsFileTest : public ::testing::Test {
protected:
    QTemporaryDir temp;
    fs::path file = fs::path(temp.path().toStdString()) / "Quibix.cfg";
};

TEST_F(SettingsFileTest, MissingFileIsCreatedEmptyAndARewriteKeepsTheTail)
{
    Config config = parseConfig(kSaved);
    EXPECT_EQ(config.Piezas, (std::array<int16_t, 7>{-1, 3, 5, 7, 9, 11, 0}));
    ASSERT_TRUE(SettingsFile(file).read(config));
    EXPECT_EQ(config.Combinaciones, 0);
    EXPECT_EQ(fs::file_size(file), 0u);

    // A shorter record leaves the old tail, which reading ignores.
    std::ofstream(file, std::ios::binary) << std::string(kSaved.begin(), kSaved.end()) << "789";
    ASSERT_TRUE(SettingsFile(file).write(configFor(3, 0, {0, 1, 2, 3, 4, 5}, "\\")));
    EXPECT_EQ(quibix::testing::fileBytes(file).substr(18), std::string("\1\0\\Space\\789", 12));
    ASSERT_TRUE(SettingsFile(file).read(config));
    EXPECT_EQ(config.Skin, "\\");
}

TEST_F(SettingsFileTest, AFileThatCannotBeWrittenSaysWhyAndStaysAsItWas)
{
    fs::create_directory(file); // a folder in the file's place
    std::string error;
    EXPECT_FALSE(SettingsFile(file).write(parseConfig(kSaved), &error));
    EXPECT_NE(error.find("cannot write " + file.string() + ": Is a directory"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_FALSE(SettingsFile(file).write(parseConfig(kSaved))); // nobody asked why
    Config config = parseConfig(kSaved);
    EXPECT_FALSE(SettingsFile(file).read(config, &error));
    EXPECT_EQ(config.Combinaciones, 0);
}

} // namespace
