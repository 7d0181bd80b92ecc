#pragma once
// The two tables the kill test's writer alternates between.
#include "storage/HighScoreFile.h"

namespace quibix::testing {

inline RecordTable scoreVersion(int version)
{
    RecordTable rows;
    for (int i = 0; i < kRecordRows; ++i) {
        rows[i].Puntos = static_cast<float>(1000 * (version + 1) + i);
        rows[i].Nombre = std::string(kNameLength, version ? 'B' : 'A');
    }
    return rows;
}

} // namespace quibix::testing
