// The shot's flight: the piece's centre moves 10 px a step in a straight
// line, mirrors at the side walls, and comes to rest by the first piece it
// meets or under the ceiling.
#include "game/Engine.h"
#include "game/Numbers.h"

#include <algorithm>
#include <cmath>

namespace quibix {

namespace {
constexpr int kShotStep = 10;
constexpr float kRightWall = static_cast<float>(17 * kSpriteSize); // 425
constexpr float kLeftWall = static_cast<float>(kHalfSprite);       // 12
} // namespace

Cell Engine::flyShot(Turn& turn)
{
    Flight flight;
    int16_t intDistancia = 0;
    // A first step into a piece would leave the shot at (0, 0); in play the
    // first step's cell is always below the lowest row a piece may hold.
    Cell last{0, 0};
    for (;;) {
        intDistancia = static_cast<int16_t>(intDistancia + kShotStep);
        PintaBala(flight, intGrados, static_cast<int16_t>(intDistancia - flight.intRadioRebote), turn);
        const Cell here{flight.intBalaCol, flight.intBalaFila};
        if (tablero(here.col, here.row).Tipo != kEmpty)
            return last; // rests in the last empty cell it passed through
        if (N(flight.sngBalaY) < (intLadrillos + 1) * kSpriteSize)
            return here; // under the ceiling
        turn.events.emplace_back(FlightFrame{{static_cast<int16_t>(N(flight.sngBalaX) - kHalfSprite),
                                              static_cast<int16_t>(N(flight.sngBalaY) - kHalfSprite)},
                                             intFicha});
        last = here;
    }
}

void Engine::PintaBala(Flight& f, int16_t& grados, int16_t radio, Turn& turn)
{
    ++turn.steps;
    const float phi = static_cast<float>(grados) * 3.1415927f / 180.0f;
    const float dx = static_cast<float>(radio) * std::cos(phi);
    const float dy = static_cast<float>(radio) * std::sin(phi);
    f.sngBalaX = static_cast<float>(f.lngCanonX) + dx;
    f.sngBalaY = static_cast<float>(f.lngCanonY) - dy;

    const int32_t n = N(f.sngBalaY - static_cast<float>(intLadrillos * kSpriteSize));
    f.intBalaFila = static_cast<int16_t>(n / kSpriteSize);
    // The row's parity is taken before the clamps below.
    const int32_t m = N(f.sngBalaX - static_cast<float>(SiInpar(f.intBalaFila, kHalfSprite)));
    f.intBalaCol = static_cast<int16_t>(m / kSpriteSize);

    f.intBalaFila = std::min<int16_t>(f.intBalaFila, kMarginRow);
    if (f.sngBalaY < kSpriteSize)
        f.intBalaFila = 0;
    // Cannot happen in play (the ceiling test stops the flight first), but a
    // negative row must never index the board.
    if (f.intBalaFila < 0)
        f.intBalaFila = 0;

    // The right wall takes any direction; the left one only a piece moving
    // left, so a shot leaving a left rebound is not caught again.
    bool rebound = false;
    if (f.sngBalaX > kRightWall) {
        f.intBalaCol = 16;
        rebound = true;
    } else if (f.sngBalaX <= kLeftWall && dx < 0) {
        f.intBalaCol = 0;
        rebound = true;
    }
    if (rebound) {
        grados = static_cast<int16_t>(180 - grados);
        f.lngCanonX = N(f.sngBalaX);
        f.lngCanonY = N(f.sngBalaY);
        f.intRadioRebote = static_cast<int16_t>(f.intRadioRebote + radio);
        ++turn.rebounds;
        turn.events.emplace_back(Rebounded{grados});
        turn.events.emplace_back(SoundPlayed{"rebound.wav", false});
    }
}

} // namespace quibix
