#pragma once
// An engine on a fixed random sequence, with positions set up piece by piece
// and the events of its turns picked out by kind.
#include "game/Engine.h"
#include "game/Random.h"
#include "game/TurnEvents.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace quibix::testing {

struct Put { int c, r; int16_t code; };

class EngineFixture : public ::testing::Test {
protected:
    // Every kind in turn, so the next-piece rule always finds one.
    EngineFixture() : random({0.0f, 0.2f, 0.4f, 0.6f, 0.8f, 0.99f}), engine(random) {}

    // A fresh screen's counters, an empty board under `bricks` rows, pieces
    // put on it, `kind` loaded.
    void position(const std::vector<Put>& pieces, int16_t kind = 0, int16_t bricks = 0)
    {
        engine.clearBoard(bricks);
        engine.setUsed(0);
        engine.setScore(0);
        engine.setFuse(0);
        engine.setPantalla(0);
        for (const Put& p : pieces)
            engine.put(p.c, p.r, p.code);
        engine.load(kind, kind);
    }

    int16_t code(int c, int r) const { return engine.board()(c, r).Tipo; }

    template <typename Event>
    static std::vector<Event> eventsOf(const Turn& turn)
    {
        std::vector<Event> found;
        for (const TurnEvent& e : turn.events)
            if (const auto* event = std::get_if<Event>(&e))
                found.push_back(*event);
        return found;
    }
    static std::vector<std::string> soundsOf(const Turn& turn)
    {
        std::vector<std::string> names;
        for (const SoundPlayed& s : eventsOf<SoundPlayed>(turn))
            names.push_back(s.file);
        return names;
    }

    FixedSequenceRandom random;
    Engine engine;
};

} // namespace quibix::testing
