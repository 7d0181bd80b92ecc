// The menu table: what the bar is built from and what Form1 reads its
// groups and rules from.
#include "form/MenuTable.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace quibix::testing {
namespace {

TEST(MenuTableTest, EveryItemHasExactlyOneEntry)
{
    std::map<int, int> entries;
    for (const MenuEntry& e : menuTable())
        if (e.item)
            ++entries[static_cast<int>(*e.item)];
    for (int i = 0; i < kMenuItemCount; ++i)
        EXPECT_EQ(entries[i], 1) << "menu item " << i;
    EXPECT_EQ(entries.size(), static_cast<std::size_t>(kMenuItemCount));
}

TEST(MenuTableTest, NoTwoItemsShareAKey)
{
    std::set<int> seen;
    for (const MenuEntry& e : menuTable())
        for (const QKeyCombination key : e.keys)
            if (key.key() != Qt::Key_unknown) {
                EXPECT_TRUE(seen.insert(key.toCombined()).second) << e.label;
            }
    EXPECT_FALSE(seen.empty());
}

TEST(MenuTableTest, NestsAndEveryItemDoesOneThing)
{
    // The bar is built by walking the table: a deeper entry needs a menu
    // title right above its level, and an item a single handler.
    const auto table = menuTable();
    ASSERT_FALSE(table.empty());
    EXPECT_EQ(table.front().depth, 0);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const MenuEntry& e = table[i];
        if (i > 0) {
            EXPECT_LE(e.depth, table[i - 1].depth + 1) << i;
        }
        const int handlers = (e.onGame ? 1 : 0) + (e.onView ? 1 : 0);
        if (!e.label) {
            EXPECT_GT(e.depth, 0) << "separator " << i;
            EXPECT_FALSE(e.item) << "separator " << i;
        } else if (opensMenu(i)) {
            EXPECT_EQ(handlers, 0) << e.label;
            EXPECT_EQ(e.check, CheckGroup::None) << e.label;
        } else {
            EXPECT_GT(e.depth, 0) << e.label;
            EXPECT_TRUE(e.item) << e.label;
            EXPECT_EQ(handlers, 1) << e.label;
        }
    }
}

TEST(MenuTableTest, EachExclusiveGroupStartsWithOneMark)
{
    for (const CheckGroup group : {CheckGroup::Level, CheckGroup::Combinations, CheckGroup::Shape}) {
        int marked = 0;
        for (const MenuItem item : menuItems(group))
            marked += menuEntry(item)->checkedAtStart ? 1 : 0;
        EXPECT_EQ(marked, 1) << static_cast<int>(group);
    }
    for (const MenuEntry& e : menuTable())
        if (e.checkedAtStart) {
            EXPECT_NE(e.check, CheckGroup::None) << e.label;
        }
}

TEST(MenuTableTest, OptionGroupsSpanExactlyTheRulesChoices)
{
    // Form1 hands an item's place in its group to the rules, which know
    // groups of 3 to 6 pieces, six shapes and two levels.
    EXPECT_EQ(menuItems(CheckGroup::Combinations).size(), 4u);
    EXPECT_EQ(menuItems(CheckGroup::Shape).size(), 6u);
    EXPECT_EQ(menuItems(CheckGroup::Level).size(), 2u);
}

} // namespace
} // namespace quibix::testing
