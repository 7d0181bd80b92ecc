#pragma once
// Shows a turn the engine has already decided: every event drawn, presented
// and paused for in the game's own order, every sound handed on in its
// place.
#include "game/Board.h"
#include "ports/Ports.h"
#include "game/TurnEvents.h"
#include "render/Canvas.h"

#include <functional>

namespace quibix {

class Player {
public:
    using SoundSink = std::function<void(const SoundPlayed&)>;

    Player(Canvas& canvas, PointerPort& pointer);

    // Plays the events up to the turn's outcome (a lost game or a cleared
    // screen is left to the caller, which owns the prompts). `frameMs` is the
    // pause of one flight frame.
    void play(const Turn& turn, const SoundSink& sound, int16_t frameMs);

    // Stops a turn being played at its next event or fall frame: the
    // engine's state is already the turn's end, so only the animation is
    // dropped. play() clears it when it starts.
    void cancel() { cancelled_ = true; }
    bool cancelled() const { return cancelled_; }

    // The whole board drawn again under `ladrillos` brick rows; pieces of the
    // margin column and row (which the full redraw leaves out) are moved from
    // where they were drawn under `previousLadrillos` rows.
    void redrawBoard(const Tablero& board, int16_t ladrillos, int16_t previousLadrillos);

private:
    void shotFired();
    void pieceRested(const PieceRested& e);
    void pieceRemoved(const PieceRemoved& e);
    void piecesFell(const PiecesFell& e);
    void boardLowered(const BoardLowered& e);

    Canvas& canvas_;
    PointerPort& pointer_;
    bool cancelled_ = false;
};

} // namespace quibix
