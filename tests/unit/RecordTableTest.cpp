// Where a score goes in the high-score tables: ties, the last row, the
// other level's table. (Through the window: RecordsTest.)
#include "storage/RecordTable.h"

#include <gtest/gtest.h>

using namespace quibix;

namespace {

// Easy 1000, 900, ... 100; Hard 5000, 4900, ... 4100.
RecordTable tables()
{
    RecordTable t;
    for (int k = 0; k < kRecordsPerLevel; ++k) {
        t[k] = {static_cast<float>(1000 - 100 * k), "easy" + std::to_string(k)};
        t[kRecordsPerLevel + k] = {static_cast<float>(5000 - 100 * k), "hard" + std::to_string(k)};
    }
    return t;
}

TEST(RecordTableTest, AScoreTakesTheRowOfTheBestItTiesOrBeatsInItsOwnTable)
{
    const RecordTable t = tables();
    EXPECT_EQ(recordPlace(t, 0, 1001), 0);
    EXPECT_EQ(recordPlace(t, 0, 1000), 0); // a tie goes above
    EXPECT_EQ(recordPlace(t, 0, 999), 1);
    EXPECT_EQ(recordPlace(t, 0, 100), 9);
    EXPECT_EQ(recordPlace(t, 0, 99), std::nullopt);
    EXPECT_EQ(recordPlace(t, 1, 4100), 9);
    EXPECT_EQ(recordPlace(t, 1, 4099), std::nullopt);
    EXPECT_EQ(recordPlace(t, 1, 1000), std::nullopt); // Easy's rows do not count
}

TEST(RecordTableTest, EnteringMovesTheRowsBelowDownAndDropsOnlyTheLast)
{
    for (const int place : {0, 4, 9}) {
        RecordTable t = tables();
        enterRecord(t, 1, place, 4444, "Ann");
        EXPECT_EQ(t[10 + place].Puntos, 4444.0f);
        EXPECT_EQ(t[10 + place].Nombre, "Ann" + std::string(22, ' '));
        for (int k = 0; k < kRecordsPerLevel; ++k) {
            EXPECT_EQ(t[k].Nombre, "easy" + std::to_string(k)); // the other table untouched
            if (k != place) {
                EXPECT_EQ(t[10 + k].Nombre, "hard" + std::to_string(k < place ? k : k - 1)) << place;
            }
        }
    }
    RecordTable t = tables();
    enterRecord(t, 0, 0, 2000, std::string(30, 'n'));
    EXPECT_EQ(t[0].Nombre, std::string(kNameLength, 'n'));
}

} // namespace
