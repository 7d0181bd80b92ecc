// Matching: the landed piece joins the board; its connected group of equal
// pieces vanishes when it is large enough.
#include "game/Form1.h"
#include "game/Numbers.h"
#include "render/Module1.h"

namespace quibix {

namespace {
// Keeps the cannon strip saved at the shot in step with the screen at one
// cell: falling pieces are erased from that strip, and a stale strip would
// put back a removed piece or cut the landed one.
void syncStrip(Canvas& canvas, int16_t x, int16_t y)
{
    if (x >= 0 && y + kSpriteSize > kBottomStripTop)
        CopyRect(canvas.hdcFondoBajo, x, y - kBottomStripTop, kSpriteSize, kSpriteSize,
                 canvas.Picture1, x, y);
}
} // namespace

void Form1::ChequeoFichas(int16_t lastX, int16_t lastY, int16_t oldGrados)
{
    (void)oldGrados; // part of the call, not needed here

    Casilla& cell = tablero(lastX, lastY);
    cell.Tipo = static_cast<int16_t>(intFicha + 1);
    cell.X = static_cast<int16_t>(intAncho * lastX + SiInpar(lastY, intMedioAncho));
    cell.Y = static_cast<int16_t>((intLadrillos + lastY) * intAlto);
    canvas.DibujaIcono(cell.X, cell.Y, intFicha, false, 0);
    syncStrip(canvas, cell.X, cell.Y);

    intNumCoords = 1;
    Coords.assign(2, Coordenada{});
    window.setPointer(kPointerHourglass);
    BuscaLineas(lastX, lastY, cell.Tipo);
    window.setPointer(kPointerDefault);

    if (intNumCoords < intCombinaciones)
        return;

    playEffect("sound18.wav");
    // Removed in the order the search found them, the landed piece first.
    for (int k = 1; k <= intNumCoords; ++k) {
        Casilla& gone = tablero(Coords[k].X, Coords[k].Y);
        gone.Tipo = kEmpty;
        canvas.MataIcono(gone.X, gone.Y);
        syncStrip(canvas, gone.X, gone.Y);
    }
    lngUltimoTiro = static_cast<int32_t>(intNumCoords) * intNumCoords + 1;
    lngScore += lngUltimoTiro;
}

void Form1::BuscaLineas(int16_t iniX, int16_t iniY, int16_t tipo)
{
    if (static_cast<int>(Coords.size()) < intNumCoords + 1)
        Coords.resize(static_cast<std::size_t>(intNumCoords) + 1);
    Coords[intNumCoords] = Coordenada{iniX, iniY, 0};

    // Depth first: each equal neighbour is followed before the next one is
    // looked at, so membership is tested when a neighbour's turn comes.
    ForEachNeighbour(iniX, iniY, [&](int c, int r) {
        const auto col = static_cast<int16_t>(c);
        const auto row = static_cast<int16_t>(r);
        if (tablero(c, r).Tipo == tipo && !BuscaCoords(Coords, intNumCoords, col, row)) {
            intNumCoords = static_cast<int16_t>(intNumCoords + 1);
            BuscaLineas(col, row, tipo);
        }
    });
}

} // namespace quibix
