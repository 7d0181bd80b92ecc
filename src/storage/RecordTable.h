#pragma once
// The two high-score tables (Easy rows 0..9, Hard rows 10..19, best first)
// and the rule of where a new score goes in them.
#include <array>
#include <optional>
#include <string>

namespace quibix {

constexpr int kRecordRows = 20;
constexpr int kRecordsPerLevel = 10;
constexpr int kNameLength = 25;

struct Record {
    float Puntos = 0.0f;
    // Exactly the 25 stored bytes (Windows-1252), NULs included.
    std::string Nombre = std::string(kNameLength, '\0');
};
using RecordTable = std::array<Record, kRecordRows>;

// The score a stored value stands for, as the table both shows and ranks
// it: rounded to a whole number (halves to even), 2^31 (what single
// precision makes of the top scores) read as 2147483647, and a damaged
// value (not a number, negative, above 2^31) as 0.
long long scoreValue(float puntos);

// The row (0..9) of the table of `level` (0 Easy, 1 Hard) that a game's
// `score` takes: that of the best row it ties or beats, so a tie goes
// above the older score. Nothing when it beats no row.
std::optional<int> recordPlace(const RecordTable& table, int level, long long score);

// Puts `score` at row `place` of the table of `level`, named `name`
// (Windows-1252, cut or padded with spaces to 25 bytes). The rows below it
// move down one; the last drops out.
void enterRecord(RecordTable& table, int level, int place, long long score, std::string name);

} // namespace quibix
