#include "form/MenuTable.h"

#include "form/Form1.h"
#include "ports/ViewPort.h"

#include <algorithm>
#include <iterator>

namespace quibix {

namespace {

using enum MenuItem;

// Check marks only move when the game's handler moves them, so a group
// is plain checkable items, not an exclusive action group.
const MenuEntry kMenus[] = {
    {.label = "File", .depth = 0},
    {.label = "New Game", .depth = 1, .item = NewGame, .keys = {Qt::CTRL | Qt::Key_N},
     .onGame = [](Form1& f) { f.MenuFile_Click(0); }},
    {.label = "Stop Game", .depth = 1, .item = StopGame,
     .onGame = [](Form1& f) { f.MenuFile_Click(1); }},
    {.depth = 1},
    {.label = "Exit", .depth = 1, .item = Exit, .keys = {Qt::CTRL | Qt::Key_Q},
     .onGame = [](Form1& f) { f.Exit_Click(); }},

    {.label = "Level", .depth = 0, .item = LevelMenu, .enabled = EnabledRule::BetweenGames},
    {.label = "Easy", .depth = 1, .item = Easy, .check = CheckGroup::Level, .checkedAtStart = true,
     .onGame = [](Form1& f) { f.MenuLevel_Click(0); }},
    {.label = "Hard", .depth = 1, .item = Hard, .check = CheckGroup::Level,
     .onGame = [](Form1& f) { f.MenuLevel_Click(1); }},

    {.label = "Sound", .depth = 0},
    {.label = "Music", .depth = 1, .item = Music, .check = CheckGroup::Own,
     .enabled = EnabledRule::WithMusic, .onGame = [](Form1& f) { f.MenuSound_Click(0); }},
    {.label = "FX Sound", .depth = 1, .item = FxSound, .check = CheckGroup::Own,
     .onGame = [](Form1& f) { f.MenuSound_Click(1); }},

    {.label = "Background", .depth = 0},
    {.label = "Change", .depth = 1, .item = BackgroundChange,
     .onGame = [](Form1& f) { f.MenuBack_Click(0); }},

    {.label = "Options", .depth = 0},
    {.label = "Piece Combinations", .depth = 1, .item = PieceCombinations},
    {.label = "3", .depth = 2, .item = Combinations3, .check = CheckGroup::Combinations,
     .checkedAtStart = true, .onGame = [](Form1& f) { f.MenuCombinations_Click(0); }},
    {.label = "4", .depth = 2, .item = Combinations4, .check = CheckGroup::Combinations,
     .onGame = [](Form1& f) { f.MenuCombinations_Click(1); }},
    {.label = "5", .depth = 2, .item = Combinations5, .check = CheckGroup::Combinations,
     .onGame = [](Form1& f) { f.MenuCombinations_Click(2); }},
    {.label = "6", .depth = 2, .item = Combinations6, .check = CheckGroup::Combinations,
     .onGame = [](Form1& f) { f.MenuCombinations_Click(3); }},
    {.label = "Shape Definition", .depth = 1, .item = ShapeDefinition},
    {.label = "Square", .depth = 2, .item = ShapeSquare, .check = CheckGroup::Shape,
     .checkedAtStart = true, .onGame = [](Form1& f) { f.MenuShape_Click(0); }},
    {.label = "Face", .depth = 2, .item = ShapeFace, .check = CheckGroup::Shape,
     .onGame = [](Form1& f) { f.MenuShape_Click(1); }},
    {.label = "Diamond", .depth = 2, .item = ShapeDiamond, .check = CheckGroup::Shape,
     .onGame = [](Form1& f) { f.MenuShape_Click(2); }},
    {.label = "Columns", .depth = 2, .item = ShapeColumns, .check = CheckGroup::Shape,
     .onGame = [](Form1& f) { f.MenuShape_Click(3); }},
    {.label = "Saw", .depth = 2, .item = ShapeSaw, .check = CheckGroup::Shape,
     .onGame = [](Form1& f) { f.MenuShape_Click(4); }},
    {.label = "Random", .depth = 2, .item = ShapeRandom, .check = CheckGroup::Shape,
     .onGame = [](Form1& f) { f.MenuShape_Click(5); }},
    {.label = "Choose Pieces", .depth = 1, .item = ChoosePieces, .enabled = EnabledRule::BetweenGames,
     .onGame = [](Form1& f) { f.MenuOptions_Click(2); }},
    {.label = "Choose Skins", .depth = 1, .item = ChooseSkins,
     .onGame = [](Form1& f) { f.MenuOptions_Click(3); }},
    {.label = "Save Settings", .depth = 1, .item = SaveSettings,
     .onGame = [](Form1& f) { f.MenuOptions_Click(4); }},

    // The window's size works even while a turn is shown.
    {.label = "View", .depth = 0},
    {.label = "Full Screen", .depth = 1, .item = FullScreen, .keys = {Qt::Key_F11},
     .check = CheckGroup::Own, .onView = [](ViewPort& v) { v.toggleFullScreen(); }},
    // Ctrl+= is Ctrl and the key that carries '+' on most layouts.
    {.label = "Larger", .depth = 1, .item = Larger,
     .keys = {Qt::CTRL | Qt::Key_Equal, Qt::CTRL | Qt::Key_Plus},
     .onView = [](ViewPort& v) { v.stepScale(1); }},
    {.label = "Smaller", .depth = 1, .item = Smaller, .keys = {Qt::CTRL | Qt::Key_Minus},
     .onView = [](ViewPort& v) { v.stepScale(-1); }},

    {.label = "Help", .depth = 0},
    {.label = "About Quibix...", .depth = 1, .item = About, .keys = {Qt::Key_F1},
     .onGame = [](Form1& f) { f.MenuHelp_Click(0); }},
    {.label = "Readme && Warranty", .depth = 1, .item = Readme,
     .onGame = [](Form1& f) { f.MenuHelp_Click(1); }},
};

template <class Pick>
std::vector<MenuItem> itemsWhere(Pick pick)
{
    std::vector<MenuItem> items;
    for (const MenuEntry& e : kMenus)
        if (e.item && pick(e))
            items.push_back(*e.item);
    return items;
}

} // namespace

std::span<const MenuEntry> menuTable() { return kMenus; }

bool opensMenu(std::size_t index)
{
    return index + 1 < std::size(kMenus) && kMenus[index + 1].depth > kMenus[index].depth;
}

const MenuEntry* menuEntry(MenuItem item)
{
    const auto it = std::find_if(std::begin(kMenus), std::end(kMenus),
                                 [item](const MenuEntry& e) { return e.item == item; });
    return it == std::end(kMenus) ? nullptr : &*it;
}

std::vector<MenuItem> menuItems(CheckGroup group)
{
    return itemsWhere([group](const MenuEntry& e) { return e.check == group; });
}

std::vector<MenuItem> menuItems(EnabledRule rule)
{
    return itemsWhere([rule](const MenuEntry& e) { return e.enabled == rule; });
}

} // namespace quibix
