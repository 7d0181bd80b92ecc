#pragma once
// The rules of the play field without pictures, sound or window: the board,
// every counter and option of a game, and the three things that change
// them: setting up a screen, aiming, and one whole turn. The window's game
// state (Form1) asks the engine and shows what it answers.
#include "game/Board.h"
#include "game/Random.h"
#include "game/TurnEvents.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quibix {

constexpr int kFuseBurnt = 7; // the shot that burns the seventh step explodes

class Engine {
public:
    // The random source is the game's one generator (layouts, dealt pieces;
    // the window draws backgrounds and music from it too).
    explicit Engine(RandomSource& random);

    // ---- Options --------------------------------------------------------
    // Easy 0, Hard 1. Takes effect at the next screen; a new game resets it
    // to the level chosen in the Level menu.
    void setLevel(int16_t level);
    // The smallest group that vanishes, 3..6, from the next shot on.
    void setCombinaciones(int16_t n);
    // The shape option 0..5 (5 draws one of the others per screen), used
    // from the next screen on.
    void setForma(int16_t forma);

    // ---- The rule halves of the handlers ---------------------------------
    // A screen: bricks and loss row by screen number, counters, the layout
    // through the shape's mask, the loaded and the next piece. Screen 0
    // starts a game (score 0). Reseeds the generator before the layout and
    // returns the seed it was given, if any.
    std::optional<uint32_t> NuevaPantalla(int16_t pantalla);

    // Turns the cannon to `grados` whole degrees, kept within 2..178: the
    // angle the next shot flies at.
    int16_t aim(int grados);

    // One whole turn at the current angle: flight, matching, falls, fuse or
    // explosion, the next piece, then a lost game or a cleared screen. The
    // state afterwards is the turn's end state: a lost board is stone, a
    // cleared screen has its bonus, screen number raised (the caller sets
    // up the next screen). Reseeds the generator first; the turn says with
    // which seed.
    Turn shoot();
    // The same turn with a shot that comes to rest at `rest` without flying
    // (a cell of columns 0..17, rows 0..15), for tests of what follows.
    Turn landAt(Cell rest);

    // ---- Setting a position up (tests, the simulator) --------------------
    // An empty board under `bricks` brick rows, the loss row 14 - bricks.
    void clearBoard(int16_t bricks);
    // Piece code 0..7 at a cell of columns 0..17, rows 0..15.
    void put(int col, int row, int16_t code);
    // The loaded and the next piece kinds, 0..5.
    void load(int16_t loaded, int16_t next);
    void setFuse(int16_t mecha);
    void setUsed(int16_t usadas);
    void setScore(int32_t score);
    void setPantalla(int16_t pantalla);

    // ---- Read access -----------------------------------------------------
    const Tablero& board() const { return tablero; }
    const Tablero& mask() const { return Mascara; }
    int16_t grados() const { return intGrados; }
    int16_t ficha() const { return intFicha; }
    int16_t siguiente() const { return intSiguiente; }
    int16_t usadas() const { return intUsadas; }
    int32_t score() const { return lngScore; }
    int32_t ultimoTiro() const { return lngUltimoTiro; }
    int16_t mecha() const { return intMecha; }
    int16_t ladrillos() const { return intLadrillos; }
    int16_t filaLimite() const { return intFilaLimite; }
    int16_t pantalla() const { return intPantalla; }
    int16_t level() const { return intLevel; }
    int16_t combinaciones() const { return intCombinaciones; }
    int16_t forma() const { return intForma; }
    int16_t formaActual() const { return intFormaActual; }

private:
    // The flying piece: the start of the current straight stretch and how
    // far the flight had gone when it last rebounded.
    struct Flight {
        int32_t lngCanonX = kCannonPivotX;
        int32_t lngCanonY = kCannonPivotY;
        int16_t intRadioRebote = 0;
        float sngBalaX = 0, sngBalaY = 0;
        int16_t intBalaCol = 0, intBalaFila = 0;
    };

    Turn turnTo(std::optional<Cell> rest);
    void DefineForma(int16_t forma);
    void fillLayout();
    // One flight step `radio` px along `grados` from the stretch's start;
    // mirrors `grados` at a side wall.
    void PintaBala(Flight& flight, int16_t& grados, int16_t radio, Turn& turn);
    Cell flyShot(Turn& turn);
    void ChequeoFichas(Cell last, Turn& turn);
    void BuscaLineas(int16_t iniX, int16_t iniY, int16_t tipo);
    void CaenFichas(Turn& turn);
    void MarcaColgadas(int x, int y);
    void burnFuse(Turn& turn);
    void deal(Turn& turn);
    void PetrificaTablero();
    int16_t drawKind();
    void placeAt(int col, int row, int16_t code);

    RandomSource& random;

    Tablero tablero;
    Tablero Mascara;
    // The group found by BuscaLineas, in the order it was found.
    std::vector<Cell> Coords;

    int16_t intGrados = 90;
    int16_t intFicha = 0, intSiguiente = 0;
    int16_t intUsadas = 0;
    int32_t lngScore = 0, lngUltimoTiro = 0;
    int16_t intMecha = 0;
    int16_t intLadrillos = 0;
    int16_t intFilaLimite = 14;
    int16_t intPantalla = 0;
    bool blnVacio = false; // the board after the last deal held no piece
    int16_t intLevel = 0;
    int16_t intCombinaciones = 3;
    int16_t intForma = 0, intFormaActual = 0;
};

} // namespace quibix
