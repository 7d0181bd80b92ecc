// A click on the play field: the engine decides the whole turn, the player
// shows it with input locked, then a lost game goes back to the title or a
// cleared screen leads to the next one.
#include "form/Form1.h"

#include <string>

namespace quibix {

void Form1::Picture1_Click()
{
    // The title screen covers the field between games and the input lock
    // holds clicks during a shot; should one slip through, it is no shot.
    if (!gameRunning || blnDisparo)
        return;

    const Turn turn = rules.shoot();

    const int16_t savedPointer = window.pointer();
    window.disableInput();
    blnDisparo = true;
    player.play(turn, [this](const SoundPlayed& sound) { playTurnSound(sound); }, intRetardo);
    blnDisparo = false;
    window.enableInput(savedPointer);
    // Cut short because the window is closing: the game ends as a close at
    // any other moment ends it, without the lost or cleared dialogs, which
    // would hold the close open.
    if (player.cancelled())
        return;

    if (turn.lost())
        gameLost();
    else if (const ScreenCleared* cleared = turn.cleared())
        screenCleared(*cleared);

    canvas.Refresca();
    window.setCaption(Caption::Score, 0, std::to_string(rules.score()));
    window.setCaption(Caption::PartialScore, 0, std::to_string(rules.ultimoTiro()));
}

void Form1::playTurnSound(const SoundPlayed& sound)
{
    if (!sound.synchronous) {
        playEffect(sound.file);
        return;
    }
    // The turn waits for the whole sound.
    intSoundFlags = kSoundNoDefault;
    playEffect(sound.file);
    intSoundFlags = kSoundAsync | kSoundNoDefault;
}

void Form1::gameLost()
{
    ShowCursorQuibix(1);
    blnCursor = true;
    music.command("close");
    playEffect("lose.wav");
    // The engine has turned the board to stone; show it.
    player.redrawBoard(rules.board(), rules.ladrillos(), rules.ladrillos());
    canvas.Refresca();
    window.messageBox("You Lose ?8(", "Quibix");
    window.showTitleScreen(true);
    window.setMenuEnabled(MenuItem::LevelMenu, true);
    window.setMenuEnabled(MenuItem::ChoosePieces, true);
    gameRunning = false;
    if (rules.pantalla() > 0) {
        GrabaRecords(false);
        playEffect("win.wav");
    }
}

void Form1::screenCleared(const ScreenCleared& cleared)
{
    ShowCursorQuibix(1);
    blnCursor = true;
    music.command("close");
    playEffect("great2.wav");
    window.messageBox("Congratulations!!, you have finished a screen.\r\r"
                      "Full screen Bonus = 1000\r\r"
                      "                 Quibix used = " + std::to_string(cleared.used) + "\r"
                      "Bonus per Quibix used = " + std::to_string(cleared.bonus),
                      "Quibix");
    // The engine has added the bonus and counted the screen.
    NuevaPantalla(rules.pantalla());
}

} // namespace quibix
