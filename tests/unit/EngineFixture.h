#pragma once
// The rule engine on a scripted random sequence, with helpers to lay out a
// position and read a turn's events. No pictures, no window.
#include "game/Engine.h"
#include "game/Random.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace quibix::testing {

struct Put {
    int c, r;
    int16_t code;
};

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
    // A column of alternating kinds from row 0 down to `lastRow`, which joins
    // nothing and hangs from the top.
    void column(int c, int lastRow, int16_t first = 1)
    {
        for (int r = 0; r <= lastRow; ++r)
            engine.put(c, r, static_cast<int16_t>(first + r % 2));
    }

    Turn shootAt(int angle)
    {
        engine.aim(static_cast<float>(270 - angle));
        return engine.shoot();
    }

    int16_t code(int c, int r) const { return engine.board()(c, r).Tipo; }
    void expectCodes(const std::vector<Put>& cells) const
    {
        for (const Put& p : cells)
            EXPECT_EQ(code(p.c, p.r), p.code) << "cell " << p.c << "," << p.r;
    }

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
