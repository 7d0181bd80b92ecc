#include "game/Board.h"

namespace quibix {

bool BuscaCoords(const std::vector<Coordenada>& coords, int count, int16_t x, int16_t y)
{
    for (int i = 1; i <= count && i < static_cast<int>(coords.size()); ++i) {
        if (coords[i].X == x && coords[i].Y == y)
            return true;
    }
    return false;
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
