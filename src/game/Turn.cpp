// The end of a turn: place and match, falls, the fuse (or the explosion
// that lowers the board), the next piece, then a lost game or a cleared
// screen.
#include "game/Form1.h"
#include "game/Numbers.h"
#include "render/Module1.h"

#include <algorithm>
#include <string>

namespace quibix {

namespace {
constexpr int kFuseBurnt = 7;
// The band's fuse and dynamite area, restored whole after an explosion.
constexpr int kBandAreaX = 0, kBandAreaY = 85, kBandAreaW = 90, kBandAreaH = 270;

int16_t drawKind(RandomSource& random)
{
    return static_cast<int16_t>(N(random.next() * 5.0f));
}

// After a fall every piece left hangs from the top row, which never holds a
// stone, so some shot kind is always there; checked anyway, since a board
// of stones alone would make the draw below loop for ever.
bool anyShotKind(const Tablero& board)
{
    for (int16_t kind = 0; kind < 6; ++kind)
        if (ExisteFicha(board, kind))
            return true;
    return false;
}

// A piece that came to rest in the margin column is not part of the full
// redraw; draw it at its cell again so it moves down with the board and
// stays in step with the resting picture.
void redrawMarginPieces(Tablero& board, Canvas& canvas, int16_t ladrillos, int16_t alto,
                        int16_t ancho, int16_t medioAncho)
{
    for (int r = 0; r <= kMarginRow; ++r) {
        for (int c = 0; c <= kMarginColumn; ++c) {
            if (c < kFieldColumns && r < kFieldRows)
                continue;
            Casilla& cell = board(c, r);
            if (cell.Tipo == kEmpty)
                continue;
            // Off the screen where it was; the resting picture is already new.
            CopyRect(canvas.Picture1, cell.X, cell.Y, kSpriteSize, kSpriteSize, canvas.Picture2,
                     cell.X, cell.Y);
            cell.X = static_cast<int16_t>(ancho * c + SiInpar(static_cast<int16_t>(r), medioAncho));
            cell.Y = static_cast<int16_t>((ladrillos + r) * alto);
            canvas.DibujaIcono(cell.X, cell.Y, static_cast<int16_t>(cell.Tipo - 1), false, 0);
        }
    }
}
} // namespace

void Form1::resolveTurn(int16_t lastX, int16_t lastY, int16_t oldGrados, int16_t savedPointer)
{
    blnDisparo = kFalse;
    lngUltimoTiro = 0;

    ChequeoFichas(lastX, lastY, oldGrados);
    CaenFichas();

    // The cannon back at the angle the player aimed, not the mirrored one.
    intGrados = oldGrados;
    PintaCañon(intGrados);

    if (intMecha < kFuseBurnt) {
        canvas.drawFuse(intMecha);
    } else {
        intMecha = 0;
        canvas.drawDynamite(true);
        canvas.present(Surface::PicBanda);

        // The turn waits for the whole explosion.
        intSoundFlags = kSoundNoDefault;
        playEffect("boom.wav");
        intSoundFlags = kSoundAsync | kSoundNoDefault;

        intLadrillos = static_cast<int16_t>(intLadrillos + 1);
        intFilaLimite = static_cast<int16_t>(intFilaLimite - 1);
        playEffect("down1.wav");
        canvas.DibujaArray(tablero, intLadrillos, true);
        redrawMarginPieces(tablero, canvas, intLadrillos, intAlto, intAncho, intMedioAncho);
        // The redraw wipes whole rows, the cannon's included.
        PintaCañon(intGrados);

        CopyRect(canvas.PicBanda, kBandAreaX, kBandAreaY, kBandAreaW, kBandAreaH,
                 canvas.PicBandaBuff, kBandAreaX, kBandAreaY);
        canvas.drawFuse(0);
        canvas.drawDynamite(false);
        canvas.present(Surface::PicBanda);
    }

    // The preview becomes the loaded piece; the new preview is always a kind
    // still on the board.
    intFicha = intSiguiente;
    intSiguiente = drawKind(random);
    blnVacio = CompruebaVacio(tablero) ? kTrue : kFalse;
    if (!blnVacio && anyShotKind(tablero)) {
        while (!ExisteFicha(tablero, intSiguiente))
            intSiguiente = drawKind(random);
    }

    canvas.drawPieceSlots(intFicha, intSiguiente);

    lngCañonX = 221;
    lngCañonY = 420;
    intRadioRebote = 0;

    window.enableInput(savedPointer);

    if (BuscaFilaBaja(tablero) > intFilaLimite) {
        ShowCursorQuibix(1);
        blnCursor = kTrue;
        music.command("close");
        playEffect("lose.wav");
        PetrificaTablero();
        window.messageBox("You Lose ?8(", "Quibix");
        window.showTitleScreen(true);
        window.setMenuEnabled(MenuItem::LevelMenu, true);
        window.setMenuEnabled(MenuItem::ChoosePieces, true);
        gameRunning = false;
        if (intPantalla > 0) {
            GrabaRecords(false);
            playEffect("win.wav");
        }
    } else if (blnVacio) {
        // A lost game never goes on to a next screen.
        ShowCursorQuibix(1);
        blnCursor = kTrue;
        music.command("close");
        playEffect("great2.wav");

        const int32_t used = std::max<int32_t>(intUsadas, 1);
        const int32_t bonus = 2000000 / used;
        window.messageBox("Congratulations!!, you have finished a screen.\r\r"
                          "Full screen Bonus = 1000\r\r"
                          "                 Quibix used = " + std::to_string(intUsadas) + "\r"
                          "Bonus per Quibix used = " + std::to_string(bonus),
                          "Quibix");
        lngScore += 1000;
        lngScore += bonus;
        intPantalla = static_cast<int16_t>(intPantalla + 1);
        NuevaPantalla(intPantalla);
    }

    canvas.Refresca();
    window.setCaption(Caption::Score, 0, std::to_string(lngScore));
    window.setCaption(Caption::PartialScore, 0, std::to_string(lngUltimoTiro));
}

void Form1::PetrificaTablero()
{
    quibix::PetrificaTablero(tablero);
    canvas.DibujaArray(tablero, intLadrillos, true);
    redrawMarginPieces(tablero, canvas, intLadrillos, intAlto, intAncho, intMedioAncho);
    canvas.Refresca();
}

} // namespace quibix
