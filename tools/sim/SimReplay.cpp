// `replay PATH`: a recorded game played again on the engine with the seeds
// it was played with, checked against the score and end it recorded.
#include "Simulator.h"

#include "storage/ReplayFile.h"

#include <optional>

namespace quibix::sim {

std::string Simulator::replay(const std::string& path)
{
    std::string error;
    const std::optional<Replay> recorded = readReplay(path, &error);
    if (!recorded)
        return line(Json{{"error", error}});
    // Whatever happens, the script's own sequence takes over again.
    struct BackToScript {
        RandomSource& random;
        ~BackToScript() { random.setSeedSource(nullptr); }
    } backToScript{random_};
    return playReplay(*recorded, path);
}

std::string Simulator::playReplay(const Replay& r, const std::string& path)
{
    ListedSeeds seeds;
    for (const ReplayEvent& e : r.events) {
        if (const auto* screen = std::get_if<ReplayScreen>(&e))
            seeds.add(screen->seed);
        else if (const auto* shot = std::get_if<ReplayShot>(&e))
            seeds.add(shot->seed);
    }
    random_.setSeedSource(&seeds);
    engine_.setLevel(r.level);
    engine_.setCombinaciones(r.group);
    engine_.setForma(r.shape);

    std::string out;
    bool started = false;
    lost_ = false;
    // A turn that cleared its screen is answered once the next one is set
    // up, as `shoot` answers it.
    std::optional<std::pair<int, Turn>> clearing;
    const auto fail = [&](const std::string& why) {
        lost_ = true;
        return out + line(Json{{"error", path + ": " + why}});
    };
    const auto answer = [&](int angle, const Turn& turn) { out += line(turnAnswer(angle, turn)) + "\n"; };

    for (const ReplayEvent& e : r.events) {
        if (const auto* screen = std::get_if<ReplayScreen>(&e)) {
            if (lost_)
                return fail("a screen after the game was lost");
            if (clearing) {
                if (screen->screen != engine_.pantalla())
                    return fail("screen " + std::to_string(screen->screen) + " recorded, " +
                                std::to_string(engine_.pantalla()) + " played");
                engine_.NuevaPantalla(screen->screen);
                answer(clearing->first, clearing->second);
                clearing.reset();
                continue;
            }
            // The start of the game, and a practice start on a later screen.
            if (screen->screen == 0)
                engine_.setLevel(r.level);
            else
                engine_.setPantalla(screen->screen);
            engine_.NuevaPantalla(screen->screen);
            started = true;
        } else if (const auto* shot = std::get_if<ReplayShot>(&e)) {
            if (!started || lost_ || clearing)
                return fail(clearing ? "a shot where the next screen should start" : "a shot with no game running");
            engine_.aim(shot->angle);
            Turn turn = engine_.shoot();
            lost_ = turn.lost();
            if (turn.cleared())
                clearing.emplace(shot->angle, std::move(turn));
            else
                answer(shot->angle, turn);
        } else if (const auto* group = std::get_if<ReplayGroup>(&e)) {
            engine_.setCombinaciones(group->group);
        } else if (const auto* shape = std::get_if<ReplayShape>(&e)) {
            engine_.setForma(shape->shape);
        }
    }
    if (clearing) // left while the screen's bonus was shown
        answer(clearing->first, clearing->second);

    if (seeds.ranShort())
        return fail("the game needs more seeds than were recorded");
    if (engine_.score() != r.score)
        return fail("the rules do not reproduce this game: score recorded " + std::to_string(r.score) + ", played " +
                    std::to_string(engine_.score()));
    if (engine_.pantalla() != r.screens)
        return fail("the rules do not reproduce this game: screens recorded " + std::to_string(r.screens) +
                    ", played " + std::to_string(engine_.pantalla()));
    if (lost_ != (r.end == ReplayEnd::Lost))
        return fail(std::string("the rules do not reproduce this game: recorded ") + replayEndName(r.end) +
                    ", played " + (lost_ ? "lost" : "on"));
    Json result;
    result["replay"] = path;
    result["score"] = engine_.score();
    result["screens"] = engine_.pantalla();
    result["result"] = replayEndName(r.end);
    return out + line(result);
}

} // namespace quibix::sim
