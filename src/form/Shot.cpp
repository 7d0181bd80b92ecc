// A click on the play field: the engine decides the whole turn, the player
// shows it with input locked, then a lost game goes back to the title or a
// cleared screen leads to the next one.
#include "form/Form1.h"

#include <string>

namespace quibix {

void Form1::Picture1_Click()
{
    // A click while a recorded game plays stops it.
    if (blnWatching) {
        stopWatching();
        return;
    }
    // The title screen covers the field between games and the input lock
    // holds clicks during a shot; should one slip through, it is no shot.
    if (!gameRunning || blnDisparo)
        return;
    fire();
}

void Form1::fire()
{
    const int16_t angle = rules.grados();
    const Turn turn = rules.shoot();
    recorder.shot(angle, turn.seed);

    // A watched game holds input its own way: a key or click stops it.
    const int16_t savedPointer = window.pointer();
    if (!blnWatching)
        window.disableInput();
    blnDisparo = true;
    player.play(turn, [this](const SoundPlayed& sound) { playTurnSound(sound); }, intRetardo);
    blnDisparo = false;
    if (!blnWatching)
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
    tell("You Lose ?8(", "Quibix");
    window.showTitleScreen(true);
    finishGame(ReplayEnd::Lost);
}

void Form1::screenCleared(const ScreenCleared& cleared)
{
    ShowCursorQuibix(1);
    blnCursor = true;
    music.command("close");
    playEffect("great2.wav");
    tell("Congratulations!!, you have finished a screen.\r\r"
                      "Full screen Bonus = 1000\r\r"
                      "                 Quibix used = " + std::to_string(cleared.used) + "\r"
                      "Bonus per Quibix used = " + std::to_string(cleared.bonus),
                      "Quibix");
    // The engine has added the bonus and counted the screen.
    NuevaPantalla(rules.pantalla());
}

} // namespace quibix
