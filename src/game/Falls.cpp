// Cut-off pieces: whatever no longer hangs from the top row falls off the
// bottom of the field, scores 10 n n, and burns the fuse back.
#include "game/Engine.h"

#include <algorithm>

namespace quibix {

namespace {
constexpr int16_t kFallStartCap = 420;
} // namespace

void Engine::CaenFichas(Turn& turn)
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

    PiecesFell fall;
    int16_t intMinY = kFallStartCap;
    for (int r = 0; r < kFieldRows; ++r) {
        for (int c = 0; c < kFieldColumns; ++c) {
            Casilla& cell = tablero(c, r);
            if (cell.Cae != -1)
                continue;
            const PixelPoint from = cellOrigin(c, r, intLadrillos);
            fall.pieces.push_back({from, cell.Tipo});
            cell.Tipo = kEmpty;
            cell.Cae = 0;
            intMinY = std::min(intMinY, from.y);
        }
    }

    if (fall.pieces.empty()) {
        intMecha = static_cast<int16_t>(intMecha + 1);
        return;
    }

    const auto n = static_cast<int32_t>(fall.pieces.size());
    lngScore += 10 * n * n;
    lngUltimoTiro += 10 * n * n;
    turn.fallen = n;
    turn.events.emplace_back(SoundPlayed{n >= 4 ? "great2.wav" : "great1.wav", false});
    // The highest piece falls until it is off the field.
    for (int y = intMinY; y < kFallEnd; y += kFallStep)
        ++fall.frames;
    turn.events.emplace_back(std::move(fall));

    intMecha = static_cast<int16_t>(std::max(intMecha - n, 0));
}

void Engine::MarcaColgadas(int x, int y)
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
