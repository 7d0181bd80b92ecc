// The File menu's "New Game" and "Stop Game", and the Level menu.
#include "form/Form1.h"

namespace quibix {

void Form1::MenuFile_Click(int index)
{
    if (index == 0) {
        // Abandons a running game at once: its score is not offered.
        NuevaPantalla(0);
        return;
    }
    if (index != 1)
        return;

    // Without a game the last game's score would be offered a second time.
    if (!gameRunning)
        return;
    // Reached from the keyboard the pointer may still be hidden and held
    // on the field; the title screen needs it free.
    if (!blnCursor) {
        lngRet = ShowCursorQuibix(1);
        blnCursor = true;
    }

    window.showTitleScreen(true);
    playEffect("lose.wav");
    music.command("close");
    finishGame(ReplayEnd::Stopped);
}

void Form1::MenuLevel_Click(int index)
{
    if (index != 0 && index != 1)
        return;
    rules.setLevel(static_cast<int16_t>(index));
    window.setMenuChecked(MenuItem::Easy, index == 0);
    window.setMenuChecked(MenuItem::Hard, index == 1);
    // A missing or damaged cover gives a plain one, never an empty title.
    window.setTitlePicture(loadSkinPicture(index == 0 ? strParedA : strParedB, PlainKind::Cover,
                                           QSize(kFieldWidth, kFieldHeight)));
    intRecordLevel = rules.level();
    showRecordTable(rules.level());
}

} // namespace quibix
