#include "game/Board.h"

#include <algorithm>

namespace quibix {

bool BuscaCoords(const std::vector<Cell>& coords, Cell cell)
{
    return std::find(coords.begin(), coords.end(), cell) != coords.end();
}

int16_t BuscaFilaBaja(const Tablero& board)
{
    int16_t lowest = 0;
    for (int r = 0; r <= kMarginRow; ++r)
        for (int c = 0; c <= kMarginColumn; ++c)
            if (board(c, r).Tipo != kEmpty)
                lowest = static_cast<int16_t>(r);
    return lowest;
}

bool CompruebaVacio(const Tablero& board)
{
    for (int r = 0; r < kFieldRows; ++r)
        for (int c = 0; c < kFieldColumns; ++c)
            if (board(c, r).Tipo != kEmpty)
                return false;
    return true;
}

bool ExisteFicha(const Tablero& board, int16_t tipo)
{
    for (int r = 0; r < kFieldRows; ++r)
        for (int c = 0; c < kFieldColumns; ++c)
            if (board(c, r).Tipo == tipo + 1)
                return true;
    return false;
}

void BorraTablero(Tablero& board)
{
    for (int r = 0; r <= kMarginRow; ++r)
        for (int c = 0; c <= kMarginColumn; ++c)
            board(c, r) = Casilla{};
}

void PetrificaTablero(Tablero& board)
{
    for (int r = 0; r <= kMarginRow; ++r)
        for (int c = 0; c <= kMarginColumn; ++c)
            if (board(c, r).Tipo != kEmpty)
                board(c, r).Tipo = kStone;
}

} // namespace quibix
