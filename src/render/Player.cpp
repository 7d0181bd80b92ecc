#include "render/Player.h"

#include "render/Cannon.h"

#include <vector>

namespace quibix {

namespace {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

constexpr int kFallPauseMs = 10;

} // namespace

Player::Player(Canvas& canvas, PointerPort& pointer) : canvas_(canvas), pointer_(pointer) {}

void Player::play(const Turn& turn, const SoundSink& sound, int16_t frameMs)
{
    cancelled_ = false;
    for (const TurnEvent& event : turn.events) {
        if (cancelled_)
            return;
        std::visit(Overloaded{
                       [&](const ShotFired&) { shotFired(); },
                       [&](const SoundPlayed& e) { sound(e); },
                       [&](const FlightFrame& e) {
                           canvas_.DibujaIcono(e.at.x, e.at.y, e.kind, true, frameMs);
                       },
                       [&](const Rebounded&) {},
                       [&](const PieceRested& e) { pieceRested(e); },
                       [&](const PieceRemoved& e) { pieceRemoved(e); },
                       [&](const PiecesFell& e) { piecesFell(e); },
                       [&](const CannonRedrawn& e) { drawCannon(canvas_, e.angle); },
                       [&](const FuseBurnt& e) { canvas_.drawFuse(e.frame); },
                       [&](const DynamiteExploded&) {
                           canvas_.drawDynamite(true);
                           canvas_.present(Surface::PicBanda);
                       },
                       [&](const BoardLowered& e) { boardLowered(e); },
                       [&](const PiecesDealt& e) { canvas_.drawPieceSlots(e.loaded, e.next); },
                       [&](const GameLost&) {},
                       [&](const ScreenCleared&) {},
                   },
                   event);
    }
}

void Player::shotFired()
{
    // The piece leaves the cannon: the bare background goes back under it.
    const PixelPoint slot{kLoadedPieceX, kLoadedPieceY};
    canvas_.liftFromRest(slot);
    canvas_.showResting(slot);
    // The cannon strip as the screen shows it now: frames flying over the
    // cannon are erased from here, so the cannon is not wiped out.
    canvas_.saveStrip();
}

void Player::pieceRested(const PieceRested& e)
{
    canvas_.DibujaIcono(e.at.x, e.at.y, e.kind, false, 0);
    // Falling pieces are erased from the strip, and a stale strip would put
    // back a removed piece or cut the landed one.
    canvas_.syncStrip(e.at);
    // The hourglass while the group is searched.
    pointer_.setPointer(kPointerHourglass);
    pointer_.setPointer(kPointerDefault);
}

void Player::pieceRemoved(const PieceRemoved& e)
{
    canvas_.MataIcono(e.at.x, e.at.y);
    canvas_.syncStrip(e.at);
}

void Player::piecesFell(const PiecesFell& e)
{
    struct Falling {
        PixelPoint at;
        int16_t code;
        bool blnPrimera; // not yet cleaned from the cannon strip
    };
    std::vector<Falling> pieces;
    pieces.reserve(e.pieces.size());
    for (const FallingPiece& p : e.pieces) {
        // Off the resting picture now; it stays on screen until it moves.
        canvas_.liftFromRest(p.from);
        pieces.push_back({p.from, p.code, true});
    }

    for (int frame = 0; frame < e.frames; ++frame) {
        if (cancelled_)
            return;
        // Erase every piece before drawing any, so overlapping sprites never
        // wipe out each other's new image.
        for (Falling& p : pieces) {
            if (p.at.y >= kFallEnd)
                continue;
            if (p.at.y >= kBottomStripTop && p.blnPrimera) {
                // The strip saved at the shot still shows the piece where it
                // rested; clean it there first. From the resting picture, not
                // the bare background: a piece entering the strip from above
                // overlaps the row below, whose pieces must stay. (The cannon,
                // not in the resting picture, is drawn again after the fall.)
                canvas_.cleanStrip(p.at);
                p.blnPrimera = false;
            }
            canvas_.eraseMoving(p.at);
        }
        for (Falling& p : pieces) {
            if (p.at.y >= kFallEnd)
                continue;
            p.at.y = static_cast<int16_t>(p.at.y + kFallStep);
            canvas_.drawSprite(p.at, static_cast<int16_t>(p.code - 1));
        }
        canvas_.Refresca();
        canvas_.pause(kFallPauseMs);
    }
}

void Player::boardLowered(const BoardLowered& e)
{
    Tablero board;
    for (const BoardPiece& p : e.pieces)
        board(p.cell.col, p.cell.row).Tipo = p.code;
    redrawBoard(board, e.ladrillos, static_cast<int16_t>(e.ladrillos - 1));
    // The redraw wipes whole rows, the cannon's included.
    drawCannon(canvas_, e.angle);

    canvas_.clearFuseAndDynamite();
    canvas_.drawFuse(0);
    canvas_.drawDynamite(false);
    canvas_.present(Surface::PicBanda);
}

void Player::redrawBoard(const Tablero& board, int16_t ladrillos, int16_t previousLadrillos)
{
    canvas_.DibujaArray(board, ladrillos, true);
    // The full redraw leaves out the margin column and row; a piece that
    // came to rest there is moved with the board too.
    for (int r = 0; r <= kMarginRow; ++r) {
        for (int c = 0; c <= kMarginColumn; ++c) {
            if (c < kFieldColumns && r < kFieldRows)
                continue;
            const int16_t code = board(c, r).Tipo;
            if (code == kEmpty)
                continue;
            // Off the screen where it was; the resting picture is already new.
            canvas_.showResting(cellOrigin(c, r, previousLadrillos));
            const PixelPoint at = cellOrigin(c, r, ladrillos);
            canvas_.DibujaIcono(at.x, at.y, static_cast<int16_t>(code - 1), false, 0);
        }
    }
}

} // namespace quibix
