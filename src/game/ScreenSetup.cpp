// Setting up a screen: bricks, loss row, background, the starting layout,
// the two dealt pieces, the hidden cursor and the music.
#include "game/Form1.h"

#include "game/Numbers.h"
#include "render/Module1.h"

#include <algorithm>

namespace quibix {

namespace {

constexpr int kLayoutRows = 9;
// Safety bound for the cursor loops: the counter moves by one per call, so
// a sane window needs far fewer.
constexpr int kMaxCursorCalls = 10000;

// Entry 1 + N(r (count - 1)) of a list used from index 1 (the first and the
// last entries come half as often); 0 when the list is empty.
int32_t pickEntry(float r, int32_t count, std::size_t listSize)
{
    const int32_t usable = std::min(count, static_cast<int32_t>(listSize) - 1);
    if (usable < 1)
        return 0;
    return 1 + std::clamp<int32_t>(N(static_cast<double>(r) * (count - 1)), 0, usable - 1);
}

} // namespace

void Form1::NuevaPantalla(int16_t pantalla)
{
    // No level or piece changes during a game; uncover the field.
    window.setMenuEnabled(MenuItem::LevelMenu, false);
    window.setMenuEnabled(MenuItem::ChoosePieces, false);
    window.showTitleScreen(false);
    gameRunning = true;

    // The cannon, straight up.
    intGrados = 90;
    intRadioRebote = 0;
    intMecha = 0;
    lngCañonX = 221;
    lngCañonY = 420;
    PintaCañon(intGrados);

    // Cell pitch from the first piece sprite.
    const QImage& sprite0 = canvas.picIcono[0];
    intAncho = static_cast<int16_t>(sprite0.width() > 0 ? sprite0.width() : kSpriteSize);
    intAlto = static_cast<int16_t>(sprite0.height() > 0 ? sprite0.height() : kSpriteSize);
    intMedioAncho = static_cast<int16_t>(intAncho / 2);
    intMedioAlto = static_cast<int16_t>(intAlto / 2);
    blnVacio = kFalse;
    blnDisparo = kFalse;
    intUsadas = 0;

    // Bricks and loss row by screen.
    if (pantalla <= 0) {
        intLadrillos = 0;
        intFilaLimite = 14;
        lngScore = 0;
        intPantalla = 0;
        // A new game plays the level chosen in the Level menu, even when the
        // previous game was raised from Easy to Hard at screen 5.
        intLevel = intRecordLevel;
    } else if (pantalla <= 4) {
        intLadrillos = pantalla;
        intFilaLimite = static_cast<int16_t>(14 - pantalla);
    } else if (intLevel == 1) {
        intLadrillos = 4;
        intFilaLimite = 11;
    } else {
        // Screen 5 of an Easy game: from here on it is played as Hard; the
        // Level menu and the table the score goes to stay as chosen.
        intLadrillos = 0;
        intFilaLimite = 14;
        intLevel = 1;
    }

    // This screen's background.
    lngFondo = pickEntry(random.next(), intNumFondos, Fondos.size());
    strFondo = lngFondo > 0 ? strFondosPath + Fondos[static_cast<std::size_t>(lngFondo)] : std::string();
    loadBackground();

    // A fresh sequence for the layout.
    random.reseedFromClock();
    BorraTablero(tablero);
    DefineForma(intFormaActual);

    // Clean background plus brick rows, shown whole.
    QImage& picture2 = canvas.Picture2;
    CopyRect(picture2, 0, 0, picture2.width(), picture2.height(), canvas.Picture3, 0, 0);
    for (int m = 1; m <= intLadrillos; ++m)
        CopyRect(picture2, 0, (m - 1) * intAlto, picture2.width(), intAlto, canvas.ladrillo, 0, 0);
    CopyRect(canvas.Picture1, 0, 0, picture2.width(), picture2.height(), picture2, 0, 0);

    // The fuse back at its first frame, the dynamite intact. The band
    // is shown now so it never keeps the previous game's fuse.
    canvas.drawFuse(0);
    canvas.drawDynamite(false);
    canvas.present(Surface::PicBanda);

    // The layout. A number is drawn for every cell, masked or not.
    for (int i = 0; i < kLayoutRows; ++i) {
        for (int j = 0; j < kFieldColumns; ++j) {
            const float r = random.next();
            int32_t k;
            if (i == 0 || intFormaActual != 0)
                k = N(5.0f * r);
            else
                k = N(static_cast<float>(intLevel + 5) * r); // Hard: random stones too
            Casilla& cell = tablero(j, i);
            const bool masked = Mascara(j, i).Tipo != 0;
            if (masked && intLevel != 1)
                continue;
            cell.Tipo = masked ? kStone : static_cast<int16_t>(k + 1);
            cell.X = static_cast<int16_t>(intAncho * j + SiInpar(static_cast<int16_t>(i), intMedioAncho));
            cell.Y = static_cast<int16_t>((intLadrillos + i) * intAlto);
        }
    }

    canvas.DibujaArray(tablero, intLadrillos, true);

    // Deal the loaded and the next piece.
    intFicha = static_cast<int16_t>(N(5.0f * random.next()));
    intSiguiente = static_cast<int16_t>(N(5.0f * random.next()));
    canvas.drawPieceSlots(intFicha, intSiguiente);

    // The cursor counter ends at exactly -1, so one Escape shows it.
    blnCursor = kFalse;
    lngRet = 1;
    for (int calls = 0; lngRet > -1 && calls < kMaxCursorCalls; ++calls)
        lngRet = ShowCursorQuibix(0);
    for (int calls = 0; lngRet < -1 && calls < kMaxCursorCalls; ++calls)
        lngRet = ShowCursorQuibix(1);
    // Stepping the counter back up freed the cursor (a new game started
    // while one ran does that); it must stay on the play field.
    window.confineCursor(true);

    // Music for the screen, always from the data folder.
    music.setNotify(false);
    music.setWait(false);
    music.command("open");
    if (window.menuChecked(MenuItem::Music) && intNumMusicas >= 1) {
        music.setNotify(false);
        music.setWait(false);
        const int32_t k = pickEntry(random.next(), intNumMusicas, Musicas.size());
        if (k > 0) {
            music.setFileName(appFile(strDataPath + Musicas[static_cast<std::size_t>(k)]));
            music.command("open");
            music.command("play");
        }
    }

    window.focusPlayField();
}

} // namespace quibix
