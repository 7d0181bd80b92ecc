#pragma once
// The two versions of each file the kill test's writer alternates between.
#include "storage/HighScoreFile.h"
#include "storage/SettingsFile.h"

namespace quibix::testing {

inline RecordTable scoreVersion(int version)
{
    RecordTable rows;
    for (int i = 0; i < kRecordRows; ++i)
        rows[i] = {static_cast<float>(1000 * (version + 1) + i), std::string(kNameLength, version ? 'B' : 'A')};
    return rows;
}

// Records of different lengths, so a torn write would also show in the
// skin's length field or its last bytes.
inline Config settingsVersion(int version)
{
    return version ? configFor(6, 5, {0, 2, 4, 6, 8, 10}, "\\Night\\")
                   : configFor(3, 1, {0, 1, 2, 3, 4, 5}, "\\A much longer skin name\\");
}

} // namespace quibix::testing
