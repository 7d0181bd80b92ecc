// The Options menu: group size, starting shape, the six piece pictures,
// the skin, and "Save Settings".
#include "form/Form1.h"

#include "form/MenuTable.h"
#include "game/PieceChoice.h"
#include "storage/AppPaths.h"

namespace quibix {

namespace {

// Checks item `index` of `items`, unchecking the others; false when there is
// no such item.
bool checkOnly(MenuPort& menus, const std::vector<MenuItem>& items, int index)
{
    if (index < 0 || index >= static_cast<int>(items.size()))
        return false;
    for (int i = 0; i < static_cast<int>(items.size()); ++i)
        menus.setMenuChecked(items[static_cast<std::size_t>(i)], i == index);
    return true;
}

} // namespace

void Form1::MenuCombinations_Click(int index)
{
    if (!checkOnly(window, menuItems(CheckGroup::Combinations), index))
        return;
    // The match check reads it at every shot, so it applies from the next.
    setCombinaciones(static_cast<int16_t>(index + 3));
}

void Form1::MenuShape_Click(int index)
{
    // Any other index would hand the layout builder a shape it does not know.
    if (!checkOnly(window, menuItems(CheckGroup::Shape), index))
        return;
    // Read when the next screen is set up.
    setForma(static_cast<int16_t>(index));
}

void Form1::MenuOptions_Click(int index)
{
    switch (index) {
    case 2:
        // The menu item is disabled during a game; new pictures would turn
        // the pieces on the board into other-looking ones mid-game.
        if (gameRunning)
            return;
        usePieces(window.choosePieces(intPiezas, canvas.catalogue().pieces,
                                      canvas.catalogue().pieceMasks));
        break;
    case 3:
        if (const auto chosen = window.chooseSkin(appFolder, strSkin))
            strSkin = *chosen;
        applyChosenSkin();
        break;
    case 4:
        GrabaConfig();
        break;
    default:
        break; // 0 and 1 only open their submenus
    }
}

void Form1::usePieces(const std::array<int16_t, 6>& pictures)
{
    // Through the chooser's own rules, so a list it would refuse (out of
    // order, a picture twice) never reaches the sprites.
    const auto chosen = PieceChoice(pictures).chosen();
    if (!chosen)
        return;
    intPiezas = *chosen;
    canvas.useSprites(intPiezas);
}

void Form1::applyChosenSkin()
{
    // Cancelled, or the skin in use (in any letter case): nothing reloads.
    if (sameName(strSkin, strSkinPath))
        return;
    strSkinPath = strSkin;
    CargaSkin();
    // CargaSkin shows the Easy cover; on Hard the title keeps Hard's.
    if (rules.level() == 1)
        window.setTitlePicture(loadSkinPicture(strParedB, PlainKind::Cover,
                                               QSize(kFieldWidth, kFieldHeight)));

    // The fuse and the dynamite stay on the new band.
    canvas.drawFuse(rules.mecha());
    canvas.drawDynamite(false);
    canvas.present(Surface::PicBanda);

    MenuBack_Click(0);
}

} // namespace quibix
