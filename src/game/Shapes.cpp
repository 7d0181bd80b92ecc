// The starting shapes: which cells of rows 0..8 a layout leaves out.
#include "game/Engine.h"
#include "game/Numbers.h"

#include <initializer_list>

namespace quibix {

namespace {

constexpr int kShapeRandom = 5;

using MaskRows = std::initializer_list<std::initializer_list<int>>;

// Masked columns per row 0..8. Odd rows sit half a cell to the right, so
// the right-hand halves are not mirror copies by column number.
const MaskRows kFace = {
    {},
    {2, 3, 12, 13},
    {2, 3, 4, 8, 12, 13, 14},
    {7, 8},
    {8},
    {},
    {6, 7, 8, 9, 10},
    {},
    {},
};

const MaskRows kDiamond = {
    {},
    {0, 1, 14, 15, 16},
    {0, 1, 15, 16},
    {0, 8, 15, 16},
    {0, 8, 9, 16},
    {0, 8, 15, 16},
    {0, 1, 15, 16},
    {0, 1, 14, 15, 16},
    {},
};

const MaskRows kColumns = {
    {},
    {2, 6, 10, 14},
    {},
    {2, 6, 10, 14},
    {},
    {2, 6, 10, 14},
    {},
    {2, 6, 10, 14},
    {2, 3, 6, 7, 10, 11, 14, 15},
};

const MaskRows kSaw = {
    {},
    {1, 5, 9, 13},
    {1, 2, 5, 6, 9, 10, 13, 14},
    {},
    {},
    {},
    {},
    {1, 2, 5, 6, 9, 10, 13, 14},
    {2, 6, 10, 14},
};

const MaskRows* masksOf(int shape)
{
    switch (shape) {
    case 1: return &kFace;
    case 2: return &kDiamond;
    case 3: return &kColumns;
    case 4: return &kSaw;
    default: return nullptr; // "Square": nothing masked
    }
}

} // namespace

void Engine::DefineForma(int16_t forma)
{
    int shape = forma;
    if (shape == kShapeRandom)
        shape = N(4.0f * random.next());

    BorraTablero(Mascara); // the last screen's shape

    const MaskRows* rows = masksOf(shape);
    if (rows == nullptr)
        return;
    int i = 0;
    for (const auto& columns : *rows) {
        for (int j : columns)
            Mascara(j, i).Tipo = 1;
        ++i;
    }
}

} // namespace quibix
