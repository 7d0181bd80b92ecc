#include "game/PieceChoice.h"

#include <algorithm>

namespace quibix {

PieceChoice::PieceChoice(const std::array<int16_t, 6>& intPiezas)
{
    auto listed = intPiezas.begin();
    for (int c = 0; c < kPieceBoxes && listed != intPiezas.end(); ++c) {
        if (c == *listed) {
            boxes_[c] = true;
            ++listed;
        }
    }
}

int PieceChoice::tickedCount() const
{
    return static_cast<int>(std::count(boxes_.begin(), boxes_.end(), true));
}

bool PieceChoice::setTicked(int box, bool on)
{
    if (box < 0 || box >= kPieceBoxes)
        return true;
    if (on && !boxes_[box] && tickedCount() >= 6)
        return false;
    boxes_[box] = on;
    return true;
}

std::optional<std::array<int16_t, 6>> PieceChoice::chosen() const
{
    std::array<int16_t, 6> pictures{};
    size_t n = 0;
    for (int c = 0; c < kPieceBoxes && n < pictures.size(); ++c) {
        if (boxes_[c])
            pictures[n++] = static_cast<int16_t>(c);
    }
    if (n < pictures.size())
        return std::nullopt;
    return pictures;
}

} // namespace quibix
