#include "storage/RecordTable.h"

#include <algorithm>
#include <cmath>

namespace quibix {

namespace {

int firstRow(int level)
{
    return kRecordsPerLevel * (level == 1 ? 1 : 0);
}

} // namespace

long long scoreValue(float puntos)
{
    // The largest game score, 2^31 - 1, is stored as 2^31 in single
    // precision: that value reads back as the score it came from. Anything
    // beyond, negative or not a number is damage and counts as 0.
    if (!std::isfinite(puntos) || puntos < 0.0f || puntos > 2147483648.0f)
        return 0;
    const double whole = std::nearbyint(static_cast<double>(puntos));
    return std::min(static_cast<long long>(whole), 2147483647LL);
}

std::optional<int> recordPlace(const RecordTable& table, int level, long long score)
{
    // A row competes with the score it shows: a damaged one as the 0 it
    // shows, so a new score can still beat it.
    const auto row = table.begin() + firstRow(level);
    for (int k = 0; k < kRecordsPerLevel; ++k) {
        if (scoreValue(row[k].Puntos) <= score)
            return k;
    }
    return std::nullopt;
}

void enterRecord(RecordTable& table, int level, int place, long long score, std::string name)
{
    const auto row = table.begin() + firstRow(level);
    std::move_backward(row + place, row + kRecordsPerLevel - 1, row + kRecordsPerLevel);
    name.resize(kNameLength, ' ');
    row[place] = {static_cast<float>(score), std::move(name)};
}

} // namespace quibix
