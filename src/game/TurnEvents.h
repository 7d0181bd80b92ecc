#pragma once
// What one turn did, in the order the player sees and hears it. The engine
// decides the whole turn first; the player then shows these events.
#include "game/Board.h"
#include "game/Geometry.h"

#include <cstdint>
#include <variant>
#include <optional>
#include <vector>

namespace quibix {

// The loaded piece leaves the cannon.
struct ShotFired {
    int16_t kind = 0;
};

// An effect from the data folder; a synchronous one holds the turn until
// it has finished.
struct SoundPlayed {
    const char* file = "";
    bool synchronous = false;
};

// One flight frame: the flying piece's sprite at `at` for one frame's pause.
struct FlightFrame {
    PixelPoint at;
    int16_t kind = 0;
};

// The flight met a side wall and goes on at the mirrored angle.
struct Rebounded {
    int16_t angle = 0;
};

// The shot piece joins the board.
struct PieceRested {
    Cell cell;
    PixelPoint at;
    int16_t kind = 0;
};

// One piece of the vanishing group, in removal order.
struct PieceRemoved {
    Cell cell;
    PixelPoint at;
};

// A piece that lost its hold, from where it rested.
struct FallingPiece {
    PixelPoint from;
    int16_t code = 0;
};

// The cut-off pieces fall together, kFallStep px a frame, for `frames`
// frames: until the highest one reaches kFallEnd, below the 460 px field.
// A piece that has reached it is not drawn again.
constexpr int kFallStep = 10;
constexpr int16_t kFallEnd = 470;

struct PiecesFell {
    std::vector<FallingPiece> pieces;
    int frames = 0;
};

// The cannon shown again at the angle the player aimed.
struct CannonRedrawn {
    int16_t angle = 0;
};

// The fuse after `frame` barren shots.
struct FuseBurnt {
    int16_t frame = 0;
};

// The burnt-out fuse sets the dynamite off.
struct DynamiteExploded {};

struct BoardPiece {
    Cell cell;
    int16_t code = 0;
};

// After the explosion the board hangs one brick row lower; the cannon is
// drawn again at `angle` and the fuse starts over.
struct BoardLowered {
    int16_t ladrillos = 0;
    int16_t angle = 0;
    std::vector<BoardPiece> pieces; // every piece, margin included
};

// The preview became the loaded piece and a new preview was drawn.
struct PiecesDealt {
    int16_t loaded = 0;
    int16_t next = 0;
};

// A piece hangs below the loss row: the game is lost, the board is stone.
struct GameLost {};

// The board is empty: the screen is won with a bonus for few pieces used.
struct ScreenCleared {
    int16_t used = 0;
    int32_t bonus = 0;
};

using TurnEvent = std::variant<ShotFired, SoundPlayed, FlightFrame, Rebounded, PieceRested, PieceRemoved,
                               PiecesFell, CannonRedrawn, FuseBurnt, DynamiteExploded, BoardLowered,
                               PiecesDealt, GameLost, ScreenCleared>;

// A whole turn: its events and the figures a caller asks most.
struct Turn {
    std::vector<TurnEvent> events;
    Cell rest;
    int steps = 0;
    int rebounds = 0;
    std::vector<Cell> removed;
    int fallen = 0;
    // The seed the generator was given for this turn, when it was given one.
    std::optional<uint32_t> seed;

    // How the turn ended, read from its events.
    bool lost() const { return find<GameLost>() != nullptr; }
    const ScreenCleared* cleared() const { return find<ScreenCleared>(); }

    template <typename Event>
    const Event* find() const
    {
        for (const TurnEvent& e : events)
            if (const auto* found = std::get_if<Event>(&e))
                return found;
        return nullptr;
    }
};

} // namespace quibix
