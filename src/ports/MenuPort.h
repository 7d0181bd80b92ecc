#pragma once
// The menus as the game sees them: check marks it sets and reads, items it
// enables. What each item is and does is declared in form/MenuTable.
namespace quibix {

// Every menu item, in menu-bar order except the View menu's. The numbers
// appear in the golden games' traces, so new items go at the end.
enum class MenuItem {
    NewGame, StopGame, Exit,
    LevelMenu, Easy, Hard,
    Music, FxSound,
    BackgroundChange,
    PieceCombinations, Combinations3, Combinations4, Combinations5, Combinations6,
    ShapeDefinition, ShapeSquare, ShapeFace, ShapeDiamond, ShapeColumns, ShapeSaw, ShapeRandom,
    ChoosePieces, ChooseSkins, SaveSettings,
    About, Readme,
    FullScreen, Larger, Smaller, // the window's own (View)
};
// How many there are; the last one above plus one.
constexpr int kMenuItemCount = static_cast<int>(MenuItem::Smaller) + 1;

class MenuPort {
public:
    virtual ~MenuPort() = default;
    virtual void setMenuChecked(MenuItem item, bool checked) = 0;
    virtual bool menuChecked(MenuItem item) const = 0;
    virtual void setMenuEnabled(MenuItem item, bool enabled) = 0;
};

} // namespace quibix
