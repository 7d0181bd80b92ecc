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
    gameRunning = false;

    window.showTitleScreen(true);
    playEffect("lose.wav");
    music.command("close");
    window.setMenuEnabled(MenuItem::LevelMenu, true);
    window.setMenuEnabled(MenuItem::ChoosePieces, true);
    if (rules.pantalla() > 0) {
        GrabaRecords(false);
        playEffect("win.wav");
    }
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
