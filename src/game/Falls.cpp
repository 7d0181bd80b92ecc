// Cut-off pieces: whatever no longer hangs from the top row falls off the
// bottom of the field, scores 10 n n, and burns the fuse back.
#include "game/Form1.h"
#include "game/Numbers.h"
#include "render/Module1.h"

#include <vector>

namespace quibix {

namespace {
constexpr int kFallStep = 10;
constexpr int16_t kFallStartCap = 420;
constexpr int16_t kFallEnd = 470; // below the 460 px field
} // namespace

void Form1::CaenFichas()
{
    // Every piece of the field starts out cut off...
    for (int r = 0; r < kFieldRows; ++r)
        for (int c = 0; c < kFieldColumns; ++c)
            tablero(c, r).Cae = tablero(c, r).Tipo != kEmpty ? int16_t{-1} : int16_t{0};

    // ...until a path of pieces leads it to the top row.
    for (int c = 0; c < kFieldColumns; ++c) {
        if (tablero(c, 0).Tipo != kEmpty) {
            tablero(c, 0).Cae = 0;
            MarcaColgadas(c, 0);
        }
    }

    lngCaidas = 1;
    Coords.assign(2, Coordenada{});
    std::vector<bool> blnPrimera(2, false);
    int16_t intMinY = kFallStartCap;
    for (int r = 0; r < kFieldRows; ++r) {
        for (int c = 0; c < kFieldColumns; ++c) {
            Casilla& cell = tablero(c, r);
            if (cell.Cae != -1)
                continue;
            Coords[lngCaidas] = Coordenada{cell.X, cell.Y, cell.Tipo};
            blnPrimera[lngCaidas] = true;
            // Off the resting picture now; it stays on screen until it moves.
            CopyRect(canvas.Picture2, cell.X, cell.Y, kSpriteSize, kSpriteSize,
                     canvas.Picture3, cell.X, cell.Y);
            cell.Tipo = kEmpty;
            cell.Cae = 0;
            if (cell.Y < intMinY)
                intMinY = cell.Y;
            ++lngCaidas;
            Coords.resize(static_cast<std::size_t>(lngCaidas) + 1);
            blnPrimera.resize(static_cast<std::size_t>(lngCaidas) + 1, false);
        }
    }

    if (lngCaidas == 1) {
        intMecha = static_cast<int16_t>(intMecha + 1);
        return;
    }

    lngCaidas -= 1;
    const int32_t n = lngCaidas;
    lngScore += 10 * n * n;
    lngUltimoTiro += 10 * n * n;

    playEffect(n >= 4 ? "great2.wav" : "great1.wav");

    while (intMinY < kFallEnd) {
        // Erase every piece before drawing any, so overlapping sprites never
        // wipe out each other's new image.
        for (int32_t k = 1; k <= n; ++k) {
            const Coordenada& p = Coords[k];
            if (p.Y >= kFallEnd)
                continue;
            if (p.Y < kBottomStripTop) {
                CopyRect(canvas.Picture1, p.X, p.Y, kSpriteSize, kSpriteSize,
                         canvas.Picture2, p.X, p.Y);
            } else {
                if (blnPrimera[k]) {
                    // The strip saved at the shot still shows the piece where
                    // it rested; clean it there first. From the resting
                    // picture, not the bare background: a piece entering the
                    // strip from above overlaps the row below, whose pieces
                    // must stay. (The cannon, not in the resting picture, is
                    // drawn again right after the fall.)
                    CopyRect(canvas.hdcFondoBajo, p.X, p.Y - kBottomStripTop, kSpriteSize,
                             kSpriteSize, canvas.Picture2, p.X, p.Y);
                    blnPrimera[k] = false;
                }
                CopyRect(canvas.Picture1, p.X, p.Y, kSpriteSize, kSpriteSize,
                         canvas.hdcFondoBajo, p.X, p.Y - kBottomStripTop);
            }
        }
        for (int32_t k = 1; k <= n; ++k) {
            Coordenada& p = Coords[k];
            if (p.Y >= kFallEnd)
                continue;
            p.Y = static_cast<int16_t>(p.Y + kFallStep);
            const int sprite = p.Tipo - 1;
            DibujaTransparente(canvas.Picture1, canvas.picIcono[sprite], canvas.picIconoMK[sprite],
                               canvas.hdcIcono, p.X, p.Y, kSpriteSize, kSpriteSize);
        }
        canvas.Refresca();
        canvas.pause(10);
        intMinY = static_cast<int16_t>(intMinY + kFallStep);
    }

    intMecha = static_cast<int16_t>(intMecha - n < 0 ? 0 : intMecha - n);
}

void Form1::MarcaColgadas(int x, int y)
{
    ForEachNeighbour(x, y, [&](int c, int r) {
        Casilla& cell = tablero(c, r);
        if (cell.Tipo != kEmpty && cell.Cae != 0) {
            cell.Cae = 0;
            MarcaColgadas(c, r);
        }
    });
}

} // namespace quibix
