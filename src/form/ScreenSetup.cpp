// Setting up a screen: the engine lays out the board; the window uncovers
// the field and shows the background, bricks, pieces and band, hides the
// cursor and starts the music.
#include "form/Form1.h"

#include "game/Numbers.h"

#include <algorithm>

namespace quibix {

namespace {

// Safety bound for the cursor loops: the counter moves by one per call, so
// a sane window needs far fewer.
constexpr int kMaxCursorCalls = 10000;

} // namespace

void Form1::NuevaPantalla(int16_t pantalla)
{
    // A new game over a running one ends that one.
    if (pantalla <= 0 && gameRunning && !blnWatching)
        saveRecording(ReplayEnd::Stopped);

    // No level or piece changes during a game; uncover the field.
    allowOptionChanges(false);
    window.showTitleScreen(false);
    gameRunning = true;

    // The cannon, straight up.
    PintaCanon(90);

    // A new game plays the level chosen in the Level menu, even when the
    // previous game was raised from Easy to Hard at screen 5.
    if (pantalla <= 0)
        rules.setLevel(intRecordLevel);

    // This screen's background, drawn before the layout's fresh sequence; a
    // watched game shows the one it had.
    lngFondo = pickEntry(random.next(), intNumFondos, Fondos.size());
    if (blnWatching && !watchedBackgrounds.empty()) {
        if (watchedBackgrounds.front() <= intNumFondos)
            lngFondo = watchedBackgrounds.front();
        watchedBackgrounds.pop_front();
    }
    strFondo = lngFondo > 0 ? strFondosPath + Fondos[static_cast<std::size_t>(lngFondo)] : std::string();
    loadBackground();

    const std::optional<uint32_t> seed = rules.NuevaPantalla(pantalla);
    if (pantalla <= 0 && !blnWatching)
        recorder.start(intRecordLevel, rules.combinaciones(), rules.forma(), intPiezas);
    recorder.screen(rules.pantalla(), seed, lngFondo);

    // The fuse back at its first frame, the dynamite intact. The band
    // is shown now so it never keeps the previous game's fuse.
    canvas.drawFuse(0);
    canvas.drawDynamite(false);
    canvas.present(Surface::PicBanda);

    redrawField();

    // A watched game leaves the pointer alone: a click stops it.
    if (!blnWatching)
        hideCursorOnField();

    // Music for the screen, always from the data folder.
    music.setNotify(false);
    music.setWait(false);
    music.command("open");
    if (blnMusic && intNumMusicas >= 1) {
        music.setNotify(false);
        music.setWait(false);
        startChosenMusic();
    }

    window.focusPlayField();
}

void Form1::hideCursorOnField()
{
    // The cursor counter ends at exactly -1, so one Escape shows it.
    blnCursor = false;
    lngRet = 1;
    for (int calls = 0; lngRet > -1 && calls < kMaxCursorCalls; ++calls)
        lngRet = ShowCursorQuibix(0);
    for (int calls = 0; lngRet < -1 && calls < kMaxCursorCalls; ++calls)
        lngRet = ShowCursorQuibix(1);
    // Stepping the counter back up freed the cursor (a new game started
    // while one ran does that); it must stay on the play field.
    window.confineCursor(true);
}

} // namespace quibix
