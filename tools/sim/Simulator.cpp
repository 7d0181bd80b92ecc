#include "Simulator.h"

#include "Json.h"

#include <exception>
#include <utility>
#include <vector>

namespace quibix::sim {

namespace {

// The mouse x that aims at `angle`: the cannon turns with 270 - x.
float mouseXFor(int angle) { return static_cast<float>(270 - angle); }

std::vector<std::pair<int, int>> cells(const std::vector<Cell>& list)
{
    std::vector<std::pair<int, int>> out;
    out.reserve(list.size());
    for (const Cell& c : list)
        out.emplace_back(c.col, c.row);
    return out;
}

std::string errorLine(long number, const std::string& reason)
{
    return JsonObject().add("error", "line " + std::to_string(number) + ": " + reason).str();
}

} // namespace

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
    JsonObject state;
    state.add("screen", engine_.pantalla())
        .add("level", engine_.level() == 1 ? "hard" : "easy")
        .add("shape", shapeName(engine_.forma()))
        .add("group", engine_.combinaciones());
    addCounters(state);
    return state.add("used", engine_.usadas()).str();
}

std::string Simulator::shoot(int angle)
{
    engine_.aim(mouseXFor(angle));
    const Turn turn = engine_.shoot();
    if (turn.lost())
        lost_ = true;
    // A cleared screen goes straight on to the next one, as the window does.
    if (turn.cleared())
        engine_.NuevaPantalla(engine_.pantalla());
    JsonObject answer;
    answer.add("angle", angle)
        .addRaw("rest", jsonPair(turn.rest.col, turn.rest.row))
        .add("steps", turn.steps)
        .add("rebounds", turn.rebounds)
        .addRaw("removed", jsonPairs(cells(turn.removed)))
        .add("fallen", turn.fallen)
        .add("last", engine_.ultimoTiro());
    addCounters(answer);
    return answer.add("lost", turn.lost())
        .add("cleared", turn.cleared() != nullptr)
        .add("screen", engine_.pantalla())
        .add("used", engine_.usadas())
        .str();
}

void Simulator::addCounters(JsonObject& json) const
{
    json.add("score", engine_.score())
        .add("fuse", engine_.mecha())
        .add("bricks", engine_.ladrillos())
        .add("lossRow", engine_.filaLimite())
        .add("loaded", engine_.ficha())
        .add("next", engine_.siguiente());
}

std::string Simulator::board() const
{
    std::string rows = "[";
    for (int r = 0; r < kBoardRows; ++r) {
        std::vector<int> codes;
        codes.reserve(kFieldColumns);
        for (int c = 0; c < kFieldColumns; ++c)
            codes.push_back(engine_.board()(c, r).Tipo);
        rows += (r ? "," : "") + jsonInts(codes);
    }
    return JsonObject().addRaw("board", rows + "]").str();
}

} // namespace quibix::sim
