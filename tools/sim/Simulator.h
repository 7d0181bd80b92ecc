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
//   replay PATH              a recorded game played again with its own
//                            seeds: each turn as `shoot` answers it, then
//                            {"replay":PATH,"score":N,"screens":N,
//                            "result":"lost"|"stopped"|"left"}
//
// `new`, `shoot` and `board` answer with one JSON object; the others are
// silent. Blank lines and lines starting with # are skipped. Anything else
// answers {"error":"line N: ..."} and the script goes on; a replay that
// cannot be read, or whose score the rules do not reproduce, answers
// {"error":"..."} after the turns it played. Until the first `seed` the
// sequence is that of seed 0.
#include "ScriptReader.h"
#include "game/Engine.h"

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

namespace quibix {
struct Replay;
}

namespace quibix::sim {

using Json = nlohmann::ordered_json;

// One line of output: compact, UTF-8 as it is, bytes that are not UTF-8
// shown as U+FFFD.
std::string line(const Json& json);

class Simulator {
public:
    Simulator();
    // The answer to line number `number`: "" when it has none, several
    // lines for a replay.
    std::string run(std::string_view line, long number);

private:
    std::string execute(const Command& command);
    std::string newGame(const NewCommand& command);
    std::string shoot(int angle);
    // The answer to a turn just played, after the next screen is set up.
    Json turnAnswer(int angle, const Turn& turn) const;
    std::string board() const;
    std::string replay(const std::string& path);
    std::string playReplay(const Replay& replay, const std::string& path);
    // The figures both `new` and `shoot` report, in the order of `shoot`.
    void addCounters(Json& json) const;

    // The reseeds of the game are ignored: a script plays one sequence.
    NoReseeds noReseeds_;
    SeededRandom random_{noReseeds_};
    Engine engine_;
    // A lost game takes no more shots, as in the window; `new` or `clear`
    // starts play again.
    bool lost_ = false;
};

} // namespace quibix::sim
