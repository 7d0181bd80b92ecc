// The shot: a click fires the loaded piece, which flies in 10 px steps,
// mirrors at the side walls and comes to rest by the first piece it meets
// or under the ceiling. The rest of the turn is in Turn.cpp.
#include "game/Form1.h"
#include "game/Numbers.h"
#include "render/Module1.h"

#include <cmath>

namespace quibix {

namespace {
constexpr int kShotStep = 10;
} // namespace

void Form1::Picture1_Click()
{
    // The title screen covers the field between games and the input lock
    // holds clicks during a shot; should one slip through, it is no shot.
    if (!gameRunning || blnDisparo != kFalse)
        return;

    // The next-piece choice at the end of the turn draws from this seed.
    random.reseedFromClock();

    const int16_t savedPointer = window.pointer();
    window.disableInput();

    // The piece leaves the cannon: the bare background goes back under it.
    CopyRect(canvas.Picture2, kLoadedPieceX, kLoadedPieceY, kSpriteSize, kSpriteSize,
             canvas.Picture3, kLoadedPieceX, kLoadedPieceY);
    CopyRect(canvas.Picture1, kLoadedPieceX, kLoadedPieceY, kSpriteSize, kSpriteSize,
             canvas.Picture3, kLoadedPieceX, kLoadedPieceY);

    // The cannon strip as the screen shows it now: frames flying over the
    // cannon are erased from here, so the cannon is not wiped out.
    CopyRect(canvas.hdcFondoBajo, 0, 0, kFieldWidth, kBottomStripHeight,
             canvas.Picture1, 0, kBottomStripTop);

    intUsadas = static_cast<int16_t>(intUsadas + 1);
    playEffect("shoot.wav");

    const int16_t intOldGrados = intGrados;
    blnDisparo = kTrue;
    int16_t intDistancia = 0;
    bool landed = false;
    int16_t intLastX = 0, intLastY = 0;

    while (!landed) {
        intDistancia = static_cast<int16_t>(intDistancia + kShotStep);
        PintaBala(intGrados, static_cast<int16_t>(intDistancia - intRadioRebote));

        if (tablero(intBalaCol, intBalaFila).Tipo != kEmpty) {
            // Rests in the last empty cell it passed through.
            landed = true;
        } else if (N(sngBalaY) < (intLadrillos + 1) * intAlto) {
            landed = true;
            intLastX = intBalaCol;
            intLastY = intBalaFila;
        } else {
            canvas.DibujaIcono(static_cast<int16_t>(N(sngBalaX) - 12),
                               static_cast<int16_t>(N(sngBalaY) - 12), intFicha, true, intRetardo);
            intLastX = intBalaCol;
            intLastY = intBalaFila;
        }
    }
    blnDisparo = kFalse;

    resolveTurn(intLastX, intLastY, intOldGrados, savedPointer);
}

void Form1::PintaBala(int16_t& grados, int16_t radio)
{
    const float phi = static_cast<float>(grados) * 3.1415927f / 180.0f;
    const float dx = static_cast<float>(radio) * std::cos(phi);
    const float dy = static_cast<float>(radio) * std::sin(phi);
    sngBalaX = static_cast<float>(lngCañonX) + dx;
    sngBalaY = static_cast<float>(lngCañonY) - dy;

    const int32_t n = N(sngBalaY - static_cast<float>(intLadrillos * intAlto));
    intBalaFila = static_cast<int16_t>(n / intAlto);
    // The row's parity is taken before the clamps below.
    const int32_t m = N(sngBalaX - static_cast<float>(SiInpar(intBalaFila, intMedioAncho)));
    intBalaCol = static_cast<int16_t>(m / intAncho);

    if (intBalaFila > kMarginRow)
        intBalaFila = kMarginRow;
    if (sngBalaY < intAlto)
        intBalaFila = 0;
    // Cannot happen in play (the ceiling test stops the flight first), but a
    // negative row must never index the board.
    if (intBalaFila < 0)
        intBalaFila = 0;

    bool rebound = false;
    if (sngBalaX > 17.0f * intAncho) {
        intBalaCol = 16;
        rebound = true;
    } else if (sngBalaX <= static_cast<float>(intMedioAncho) && dx < 0) {
        intBalaCol = 0;
        rebound = true;
    }
    if (rebound) {
        grados = static_cast<int16_t>(180 - grados);
        lngCañonX = N(sngBalaX);
        lngCañonY = N(sngBalaY);
        intRadioRebote = static_cast<int16_t>(intRadioRebote + radio);
        playEffect("rebound.wav");
    }
}

} // namespace quibix
