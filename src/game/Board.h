#pragma once
// The board: a staggered grid of cells, odd rows shifted half a piece right.
#include <array>
#include <cstdint>
#include <vector>

namespace quibix {

// One cell. Tipo: 0 empty, 1..6 the piece kinds, 7 stone. X, Y: top-left
// pixel of the cell's sprite on the play field. Cae: -1 while a cut-off
// search has not yet found the cell hanging from the top row.
struct Casilla {
    int16_t Tipo = 0;
    int16_t X = 0;
    int16_t Y = 0;
    int16_t Cae = 0;
};

// A cell of the board, (column, row).
struct Cell {
    int16_t col = 0;
    int16_t row = 0;
    bool operator==(const Cell&) const = default;
};

// Piece codes.
constexpr int16_t kEmpty = 0;
constexpr int16_t kStone = 7;

// 19 x 17 cells; columns 0..16 and rows 0..14 are the play field, column 17
// and row 15 a margin the flight and the neighbour rule may reach, column 18
// and row 16 are never touched.
constexpr int kBoardColumns = 19;
constexpr int kBoardRows = 17;
constexpr int kFieldColumns = 17;
constexpr int kFieldRows = 15;
constexpr int kMarginColumn = 17;
constexpr int kMarginRow = 15;

class Tablero {
public:
    Casilla& operator()(int col, int row) { return cells_[index(col, row)]; }
    const Casilla& operator()(int col, int row) const { return cells_[index(col, row)]; }

private:
    static int index(int col, int row) { return col + kBoardColumns * row; }
    std::array<Casilla, std::size_t{kBoardColumns} * kBoardRows> cells_{};
};

// The x shift of a row: half a cell on odd rows (-1 counts as odd), else 0.
inline int16_t SiInpar(int16_t row, int16_t medioAncho)
{
    return (row % 2 != 0) ? medioAncho : int16_t{0};
}

// The six neighbours of (c, r), visited in the one order both searches use:
// left; upper-left and lower-left on even rows; right; upper-right and
// lower-right on odd rows; up; down. The bounds reach the margin (column 17,
// row 15) but never column 18 or row 16.
template <typename Visit>
void ForEachNeighbour(int c, int r, Visit&& visit)
{
    const bool odd = (r % 2 != 0);
    if (c >= 1) {
        visit(c - 1, r);
        if (r >= 1 && !odd) visit(c - 1, r - 1);
        if (r < kMarginRow && !odd) visit(c - 1, r + 1);
    }
    if (c < kMarginColumn) {
        visit(c + 1, r);
        if (r >= 1 && odd) visit(c + 1, r - 1);
        if (r < kMarginRow && odd) visit(c + 1, r + 1);
    }
    if (r >= 1) visit(c, r - 1);
    if (r < kMarginRow) visit(c, r + 1);
}

// Whether `cell` is in the list.
bool BuscaCoords(const std::vector<Cell>& coords, Cell cell);

// The deepest row 0..15 holding a piece in columns 0..17; 0 when empty.
int16_t BuscaFilaBaja(const Tablero& board);

// True when rows 0..14, columns 0..16 hold no piece (the margin does not count).
bool CompruebaVacio(const Tablero& board);

// Whether kind `tipo` (a sprite index; code tipo + 1) is on the play field.
bool ExisteFicha(const Tablero& board, int16_t tipo);

// Every field of rows 0..15, columns 0..17 becomes 0.
void BorraTablero(Tablero& board);

// Every piece of rows 0..15, columns 0..17 turns to stone.
void PetrificaTablero(Tablero& board);

} // namespace quibix
