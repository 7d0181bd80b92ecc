// The engine's options, screen set-up, aiming and position editing.
#include "game/Engine.h"

#include "game/Numbers.h"

#include <algorithm>

namespace quibix {

namespace {
constexpr int kLayoutRows = 9;
} // namespace

Engine::Engine(RandomSource& randomSource) : random(randomSource) {}

void Engine::setLevel(int16_t level) { intLevel = level; }

void Engine::setCombinaciones(int16_t n) { intCombinaciones = std::clamp<int16_t>(n, 3, 6); }

void Engine::setForma(int16_t forma)
{
    intForma = std::clamp<int16_t>(forma, 0, 5);
    intFormaActual = intForma;
}

std::optional<uint32_t> Engine::NuevaPantalla(int16_t pantalla)
{
    intGrados = 90;
    intMecha = 0;
    intUsadas = 0;

    // Bricks and loss row by screen.
    if (pantalla <= 0) {
        intLadrillos = 0;
        intFilaLimite = 14;
        lngScore = 0;
        intPantalla = 0;
    } else if (pantalla <= 4) {
        intLadrillos = pantalla;
        intFilaLimite = static_cast<int16_t>(14 - pantalla);
    } else if (intLevel == 1) {
        intLadrillos = 4;
        intFilaLimite = 11;
    } else {
        // Screen 5 of an Easy game: from here on it is played as Hard; the
        // Level menu and the table the score goes to stay as chosen.
        intLadrillos = 0;
        intFilaLimite = 14;
        intLevel = 1;
    }

    // A fresh sequence for the layout.
    const std::optional<uint32_t> seed = random.reseed();
    BorraTablero(tablero);
    DefineForma(intFormaActual);
    fillLayout();

    intFicha = drawKind();
    intSiguiente = drawKind();
    return seed;
}

void Engine::fillLayout()
{
    // A number is drawn for every cell, masked or not.
    for (int i = 0; i < kLayoutRows; ++i) {
        for (int j = 0; j < kFieldColumns; ++j) {
            const float r = random.next();
            int32_t k;
            if (i == 0 || intFormaActual != 0)
                k = N(5.0f * r);
            else
                k = N(static_cast<float>(intLevel + 5) * r); // Hard: random stones too
            const bool masked = Mascara(j, i).Tipo != 0;
            if (masked && intLevel != 1)
                continue;
            placeAt(j, i, masked ? kStone : static_cast<int16_t>(k + 1));
        }
    }
}

int16_t Engine::aim(int grados)
{
    intGrados = static_cast<int16_t>(std::clamp<int>(grados, kMinAngle, kMaxAngle));
    return intGrados;
}

int16_t angleForMouseX(float x)
{
    return static_cast<int16_t>(std::clamp<int32_t>(N(180.0f - (x - 90.0f)), kMinAngle, kMaxAngle));
}

int16_t Engine::drawKind() { return static_cast<int16_t>(N(random.next() * 5.0f)); }

void Engine::placeAt(int col, int row, int16_t code)
{
    Casilla& cell = tablero(col, row);
    cell.Tipo = code;
    const PixelPoint at = cellOrigin(col, row, intLadrillos);
    cell.X = at.x;
    cell.Y = at.y;
}

void Engine::clearBoard(int16_t bricks)
{
    BorraTablero(tablero);
    intLadrillos = std::clamp<int16_t>(bricks, 0, 14);
    intFilaLimite = static_cast<int16_t>(14 - intLadrillos);
}

void Engine::put(int col, int row, int16_t code)
{
    if (col < 0 || col > kMarginColumn || row < 0 || row > kMarginRow || code < kEmpty || code > kStone)
        return;
    placeAt(col, row, code);
    tablero(col, row).Cae = 0;
}

void Engine::load(int16_t loaded, int16_t next)
{
    intFicha = std::clamp<int16_t>(loaded, 0, 5);
    intSiguiente = std::clamp<int16_t>(next, 0, 5);
}

void Engine::setFuse(int16_t mecha) { intMecha = std::clamp<int16_t>(mecha, 0, kFuseBurnt - 1); }

void Engine::setUsed(int16_t usadas) { intUsadas = std::max<int16_t>(usadas, 0); }

void Engine::setScore(int32_t score) { lngScore = std::max<int32_t>(score, 0); }

void Engine::setPantalla(int16_t pantalla) { intPantalla = std::max<int16_t>(pantalla, 0); }

} // namespace quibix
