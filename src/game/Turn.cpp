// One whole turn: the shot, matching, falls, the fuse (or the explosion that
// lowers the board), the next piece, then a lost game or a cleared screen.
#include "game/Engine.h"

#include <algorithm>

namespace quibix {

namespace {

// After a fall every piece left hangs from the top row, which never holds a
// stone, so some shot kind is always there; checked anyway, since a board
// of stones alone would make the next-piece draw loop for ever.
bool anyShotKind(const Tablero& board)
{
    for (int16_t kind = 0; kind < 6; ++kind)
        if (ExisteFicha(board, kind))
            return true;
    return false;
}

} // namespace

Turn Engine::shoot() { return turnTo(std::nullopt); }

Turn Engine::landAt(Cell rest)
{
    rest.col = std::clamp<int16_t>(rest.col, 0, kMarginColumn);
    rest.row = std::clamp<int16_t>(rest.row, 0, kMarginRow);
    return turnTo(rest);
}

Turn Engine::turnTo(std::optional<Cell> rest)
{
    // The next-piece choice at the end of the turn draws from this seed.
    const std::optional<uint32_t> seed = random.reseed();

    Turn turn;
    turn.seed = seed;
    turn.events.emplace_back(ShotFired{intFicha});
    intUsadas = static_cast<int16_t>(intUsadas + 1);
    turn.events.emplace_back(SoundPlayed{"shoot.wav", false});

    const int16_t intOldGrados = intGrados;
    turn.rest = rest ? *rest : flyShot(turn);

    lngUltimoTiro = 0;
    ChequeoFichas(turn.rest, turn);
    CaenFichas(turn);

    // The cannon back at the angle the player aimed, not the mirrored one.
    intGrados = intOldGrados;
    turn.events.emplace_back(CannonRedrawn{intGrados});
    burnFuse(turn);
    deal(turn);

    if (BuscaFilaBaja(tablero) > intFilaLimite) {
        PetrificaTablero();
        turn.events.emplace_back(GameLost{});
    } else if (blnVacio) {
        // A lost game never goes on to a next screen.
        const int32_t bonus = 2000000 / std::max<int32_t>(intUsadas, 1);
        turn.events.emplace_back(ScreenCleared{intUsadas, bonus});
        lngScore += 1000;
        lngScore += bonus;
        intPantalla = static_cast<int16_t>(intPantalla + 1);
    }
    return turn;
}

void Engine::burnFuse(Turn& turn)
{
    if (intMecha < kFuseBurnt) {
        turn.events.emplace_back(FuseBurnt{intMecha});
        return;
    }
    intMecha = 0;
    turn.events.emplace_back(DynamiteExploded{});
    turn.events.emplace_back(SoundPlayed{"boom.wav", true});

    intLadrillos = static_cast<int16_t>(intLadrillos + 1);
    intFilaLimite = static_cast<int16_t>(intFilaLimite - 1);
    turn.events.emplace_back(SoundPlayed{"down1.wav", false});

    BoardLowered lowered{intLadrillos, intGrados, {}};
    for (int r = 0; r <= kMarginRow; ++r) {
        for (int c = 0; c <= kMarginColumn; ++c) {
            if (tablero(c, r).Tipo == kEmpty)
                continue;
            placeAt(c, r, tablero(c, r).Tipo);
            lowered.pieces.push_back({{static_cast<int16_t>(c), static_cast<int16_t>(r)}, tablero(c, r).Tipo});
        }
    }
    turn.events.emplace_back(std::move(lowered));
}

void Engine::deal(Turn& turn)
{
    // The preview becomes the loaded piece; the new preview is always a kind
    // still on the board.
    intFicha = intSiguiente;
    intSiguiente = drawKind();
    blnVacio = CompruebaVacio(tablero);
    if (!blnVacio && anyShotKind(tablero)) {
        while (!ExisteFicha(tablero, intSiguiente))
            intSiguiente = drawKind();
    }
    turn.events.emplace_back(PiecesDealt{intFicha, intSiguiente});
}

void Engine::PetrificaTablero() { quibix::PetrificaTablero(tablero); }

} // namespace quibix
