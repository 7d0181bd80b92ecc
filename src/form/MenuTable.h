#pragma once
// Every menu item declared once: where it sits, its caption and keys, its
// check mark, when it can be used and what it does. The window builds its
// menu bar from this table and calls the handlers; Form1 finds the items of
// a check group or an enabled rule here.
#include "ports/MenuPort.h"

#include <QKeyCombination>

#include <array>
#include <optional>
#include <span>
#include <vector>

namespace quibix {

class Form1;
class ViewPort;

enum class CheckGroup {
    None,
    Own, // a mark of its own, on or off
    // Exactly one item of each of these is checked; the handler moves the mark.
    Level,
    Combinations,
    Shape,
};

enum class EnabledRule {
    Always,
    BetweenGames, // choices that would change a game under way
    WithMusic,    // unusable when the data folder has no music
};

struct MenuEntry {
    const char* label = nullptr; // as Qt shows it ("&&" a plain '&'); none: a separator
    // 0 a title on the bar, 1 in its menu, 2 in a submenu. An entry followed
    // by deeper ones opens them as its menu.
    int depth = 0;
    std::optional<MenuItem> item = std::nullopt;
    // Up to two keys; the first is shown beside the caption.
    std::array<QKeyCombination, 2> keys{};
    CheckGroup check = CheckGroup::None;
    bool checkedAtStart = false;
    EnabledRule enabled = EnabledRule::Always;
    // What a click does: a game handler, run only when no other one is
    // running, or the window's own, run at once.
    void (*onGame)(Form1&) = nullptr;
    void (*onView)(ViewPort&) = nullptr;
};

// The whole menu bar, in order.
std::span<const MenuEntry> menuTable();
// Whether entry `index` of the table is a menu title rather than an item.
bool opensMenu(std::size_t index);
// The entry of `item`, null if the table lacks it.
const MenuEntry* menuEntry(MenuItem item);
// The items of a check group, or under an enabled rule, in menu order.
std::vector<MenuItem> menuItems(CheckGroup group);
std::vector<MenuItem> menuItems(EnabledRule rule);

} // namespace quibix
