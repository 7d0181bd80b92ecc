#pragma once
// The rule engine driven by script commands, one line at a time:
//
//   seed N                   a fixed random sequence from N (0..4294967295);
//                            the game's clock reseeds are ignored
//   new LEVEL SHAPE GROUP    "Start Game": easy|hard, square|face|diamond|
//                            columns|saw|random, group size 3..6
//   clear BRICKS             an empty board under 0..4 brick rows
//   put COL ROW CODE         piece code 0..7 at column 0..17, row 0..15
//   load KIND NEXT           the loaded and the next piece kinds, 0..5
//   fuse N                   the fuse counter, 0..6
//   shoot ANGLE              one whole turn fired at 2..178 degrees
//   board                    the codes of rows 0..16, columns 0..16
//
// `new`, `shoot` and `board` answer with one JSON object; the others are
// silent. Blank lines and lines starting with # are skipped. Anything else
// answers {"error":"line N: ..."} and the script goes on. Until the first
// `seed` the sequence is that of seed 0.
#include "Json.h"
#include "ScriptReader.h"
#include "game/Engine.h"

#include <string>
#include <string_view>

namespace quibix::sim {

class Simulator {
public:
    Simulator();
    // The answer to line number `number`, or "" when it has none.
    std::string run(std::string_view line, long number);

private:
    std::string execute(const Command& command);
    std::string newGame(const NewCommand& command);
    std::string shoot(int angle);
    std::string board() const;
    // The figures both `new` and `shoot` report, in the order of `shoot`.
    void addCounters(JsonObject& json) const;

    // The reseeds of the game are ignored: a script plays one sequence.
    NoReseeds noReseeds_;
    SeededRandom random_{noReseeds_};
    Engine engine_;
    // A lost game takes no more shots, as in the window; `new` or `clear`
    // starts play again.
    bool lost_ = false;
};

} // namespace quibix::sim
