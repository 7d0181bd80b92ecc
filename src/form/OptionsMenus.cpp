// The Options menu: group size, starting shape, the six piece pictures,
// the skin, and "Save Settings".
#include "form/Form1.h"

#include "game/PieceChoice.h"
#include "storage/AppPaths.h"

#include <iterator>

namespace quibix {

namespace {

constexpr MenuItem kCombinationItems[] = {MenuItem::Combinations3, MenuItem::Combinations4,
                                          MenuItem::Combinations5, MenuItem::Combinations6};
constexpr MenuItem kShapeItems[] = {MenuItem::ShapeSquare, MenuItem::ShapeFace,
                                    MenuItem::ShapeDiamond, MenuItem::ShapeColumns,
                                    MenuItem::ShapeSaw, MenuItem::ShapeRandom};

} // namespace

void Form1::MenuCombinations_Click(int index)
{
    if (index < 0 || index >= static_cast<int>(std::size(kCombinationItems)))
        return;
    for (int i = 0; i < static_cast<int>(std::size(kCombinationItems)); ++i)
        window.setMenuChecked(kCombinationItems[i], i == index);
    // The match check reads it at every shot, so it applies from the next.
    setCombinaciones(static_cast<int16_t>(index + 3));
}

void Form1::MenuShape_Click(int index)
{
    // Any other index would hand the layout builder a shape it does not know.
    if (index < 0 || index >= static_cast<int>(std::size(kShapeItems)))
        return;
    for (int b = 0; b < static_cast<int>(std::size(kShapeItems)); ++b)
        window.setMenuChecked(kShapeItems[b], b == index);
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
