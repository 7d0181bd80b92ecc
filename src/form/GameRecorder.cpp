#include "form/GameRecorder.h"

#include <utility>

namespace quibix {

void GameRecorder::start(int16_t level, int16_t group, int16_t shape, const std::array<int16_t, 6>& pieces)
{
    game_.emplace();
    game_->level = level == 1 ? 1 : 0;
    game_->group = group;
    game_->shape = shape;
    game_->pieces = pieces;
}

void GameRecorder::screen(int16_t number, std::optional<uint32_t> seed, int32_t background)
{
    if (game_)
        game_->events.emplace_back(ReplayScreen{number, seed, background});
}

void GameRecorder::shot(int16_t angle, std::optional<uint32_t> seed)
{
    if (game_)
        game_->events.emplace_back(ReplayShot{angle, seed});
}

void GameRecorder::group(int16_t group)
{
    if (game_)
        game_->events.emplace_back(ReplayGroup{group});
}

void GameRecorder::shape(int16_t shape)
{
    if (game_)
        game_->events.emplace_back(ReplayShape{shape});
}

void GameRecorder::name(const std::string& utf8)
{
    if (game_)
        game_->name = utf8;
}

std::optional<Replay> GameRecorder::finish(ReplayEnd end, int32_t score, int16_t screens)
{
    if (!game_)
        return std::nullopt;
    game_->end = end;
    game_->score = score;
    game_->screens = screens;
    return std::exchange(game_, std::nullopt);
}

} // namespace quibix
