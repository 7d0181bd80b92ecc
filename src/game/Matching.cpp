// Matching: the landed piece joins the board; its connected group of equal
// pieces vanishes when it is large enough.
#include "game/Engine.h"

namespace quibix {

void Engine::ChequeoFichas(Cell last, Turn& turn)
{
    const auto code = static_cast<int16_t>(intFicha + 1);
    placeAt(last.col, last.row, code);
    turn.events.emplace_back(PieceRested{last, cellOrigin(last.col, last.row, intLadrillos), intFicha});

    Coords.clear();
    BuscaLineas(last.col, last.row, code);
    if (static_cast<int>(Coords.size()) < intCombinaciones)
        return;

    turn.events.emplace_back(SoundPlayed{"sound18.wav", false});
    // Removed in the order the search found them, the landed piece first.
    for (const Cell& gone : Coords) {
        tablero(gone.col, gone.row).Tipo = kEmpty;
        turn.events.emplace_back(PieceRemoved{gone, cellOrigin(gone.col, gone.row, intLadrillos)});
    }
    turn.removed = Coords;
    const auto n = static_cast<int32_t>(Coords.size());
    lngUltimoTiro = n * n + 1;
    lngScore += lngUltimoTiro;
}

void Engine::BuscaLineas(int16_t iniX, int16_t iniY, int16_t tipo)
{
    Coords.push_back({iniX, iniY});
    // Depth first: each equal neighbour is followed before the next one is
    // looked at, so membership is tested when a neighbour's turn comes.
    ForEachNeighbour(iniX, iniY, [&](int c, int r) {
        const Cell cell{static_cast<int16_t>(c), static_cast<int16_t>(r)};
        if (tablero(c, r).Tipo == tipo && !BuscaCoords(Coords, cell))
            BuscaLineas(cell.col, cell.row, tipo);
    });
}

} // namespace quibix
