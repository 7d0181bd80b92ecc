#include "Simulator.h"

#include "storage/ReplayFile.h"

#include <exception>
#include <utility>
#include <vector>

namespace quibix::sim {

namespace {

Json cells(const std::vector<Cell>& list)
{
    Json out = Json::array();
    for (const Cell& c : list)
        out.push_back({c.col, c.row});
    return out;
}

std::string errorLine(long number, const std::string& reason)
{
    return line(Json{{"error", "line " + std::to_string(number) + ": " + reason}});
}

} // namespace

std::string line(const Json& json)
{
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Simulator::Simulator() : engine_(random_) {}

std::string Simulator::run(std::string_view line, long number)
{
    try {
        const Command command = parseLine(line);
        if (const auto* bad = std::get_if<BadLine>(&command))
            return errorLine(number, bad->reason);
        if (std::holds_alternative<ShootCommand>(command) && lost_)
            return errorLine(number, "the game is lost; start another with new or clear");
        return execute(command);
    } catch (const std::exception& e) {
        // Nothing here should throw; if memory runs out, say so and go on.
        return errorLine(number, std::string("could not run: ") + e.what());
    }
}

std::string Simulator::execute(const Command& command)
{
    if (const auto* c = std::get_if<SeedCommand>(&command)) {
        random_.seed(c->seed);
    } else if (const auto* c = std::get_if<NewCommand>(&command)) {
        return newGame(*c);
    } else if (const auto* c = std::get_if<ClearCommand>(&command)) {
        engine_.clearBoard(static_cast<int16_t>(c->bricks));
        lost_ = false;
    } else if (const auto* c = std::get_if<PutCommand>(&command)) {
        engine_.put(c->col, c->row, static_cast<int16_t>(c->code));
    } else if (const auto* c = std::get_if<LoadCommand>(&command)) {
        engine_.load(static_cast<int16_t>(c->kind), static_cast<int16_t>(c->next));
    } else if (const auto* c = std::get_if<FuseCommand>(&command)) {
        engine_.setFuse(static_cast<int16_t>(c->fuse));
    } else if (const auto* c = std::get_if<ShootCommand>(&command)) {
        return shoot(c->angle);
    } else if (std::holds_alternative<BoardCommand>(command)) {
        return board();
    } else if (const auto* c = std::get_if<ReplayCommand>(&command)) {
        return replay(c->path);
    }
    return {};
}

std::string Simulator::newGame(const NewCommand& command)
{
    engine_.setLevel(static_cast<int16_t>(command.level));
    engine_.setForma(static_cast<int16_t>(command.shape));
    engine_.setCombinaciones(static_cast<int16_t>(command.group));
    engine_.NuevaPantalla(0);
    lost_ = false;
    Json state;
    state["screen"] = engine_.pantalla();
    state["level"] = engine_.level() == 1 ? "hard" : "easy";
    state["shape"] = shapeName(engine_.forma());
    state["group"] = engine_.combinaciones();
    addCounters(state);
    state["used"] = engine_.usadas();
    return line(state);
}

std::string Simulator::shoot(int angle)
{
    engine_.aim(angle);
    const Turn turn = engine_.shoot();
    if (turn.lost())
        lost_ = true;
    // A cleared screen goes straight on to the next one, as the window does.
    if (turn.cleared())
        engine_.NuevaPantalla(engine_.pantalla());
    return line(turnAnswer(angle, turn));
}

Json Simulator::turnAnswer(int angle, const Turn& turn) const
{
    Json answer;
    answer["angle"] = angle;
    answer["rest"] = {turn.rest.col, turn.rest.row};
    answer["steps"] = turn.steps;
    answer["rebounds"] = turn.rebounds;
    answer["removed"] = cells(turn.removed);
    answer["fallen"] = turn.fallen;
    answer["last"] = engine_.ultimoTiro();
    addCounters(answer);
    answer["lost"] = turn.lost();
    answer["cleared"] = turn.cleared() != nullptr;
    answer["screen"] = engine_.pantalla();
    answer["used"] = engine_.usadas();
    return answer;
}

void Simulator::addCounters(Json& json) const
{
    json["score"] = engine_.score();
    json["fuse"] = engine_.mecha();
    json["bricks"] = engine_.ladrillos();
    json["lossRow"] = engine_.filaLimite();
    json["loaded"] = engine_.ficha();
    json["next"] = engine_.siguiente();
}

std::string Simulator::board() const
{
    Json rows = Json::array();
    for (int r = 0; r < kBoardRows; ++r) {
        Json codes = Json::array();
        for (int c = 0; c < kFieldColumns; ++c)
            codes.push_back(engine_.board()(c, r).Tipo);
        rows.push_back(std::move(codes));
    }
    return line(Json{{"board", std::move(rows)}});
}

} // namespace quibix::sim
