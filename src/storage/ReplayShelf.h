#pragma once
// The folder of recorded games, "replays/" beside the high-score file.
// Each game is one file named after when it ended, its table and its
// score ("20261207-233102-easy-0012345.replay"), so the games a high-score
// row may belong to are found from the names alone. The newest games and
// every game that holds a row of a table now are kept.
#include "storage/HighScoreFile.h"
#include "storage/ReplayFile.h"

#include <array>
#include <ctime>
#include <filesystem>
#include <string>

namespace quibix {

constexpr int kKeptReplays = 50;

class ReplayShelf {
public:
    explicit ReplayShelf(std::filesystem::path folder) : folder_(std::move(folder)) {}

    // Writes the game under a new name for `when`; the folder is made on
    // first use. The file written, or empty with `error` set.
    std::filesystem::path save(const Replay& replay, std::time_t when, std::string* error = nullptr) const;

    // The replay of each row of `table` (rows 0..9 Easy, 10..19 Hard):
    // the newest game of that table with the row's score and name; empty
    // where there is none.
    std::array<std::filesystem::path, kRecordRows> forRows(const RecordTable& table) const;

    // Removes all but the newest kKeptReplays games and those of the rows.
    void prune(const RecordTable& table) const;

    const std::filesystem::path& folder() const { return folder_; }

private:
    std::filesystem::path folder_;
};

// Whether a recorded game is the one a row shows: same score, and the name
// the row holds (a blank or default "Quibix Master N" name when none was
// entered).
bool replayMatchesRow(const Replay& replay, const Record& row);

} // namespace quibix
