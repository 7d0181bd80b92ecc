#pragma once
// "Quibix.dat": 28 unused bytes, then 20 rows of 29 bytes: a little-endian
// single-precision score and a 25-byte Windows-1252 name. Rows 0..9 are the
// Easy table, 10..19 the Hard table, best first.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "storage/SafeWrite.h"

namespace quibix {

constexpr int kRecordRows = 20;
constexpr int kRecordsPerLevel = 10;
constexpr int kNameLength = 25;
constexpr int kRecordSize = 29;
constexpr int kRecordsOffset = 28; // row i (1-based) starts at 29 i - 1

struct Record {
    float Puntos = 0.0f;
    // Exactly the 25 stored bytes (Windows-1252), NULs included.
    std::string Nombre = std::string(kNameLength, '\0');
};
using RecordTable = std::array<Record, kRecordRows>;

class HighScoreFile {
public:
    explicit HighScoreFile(std::filesystem::path file) : file_(std::move(file)) {}

    // Reads the 20 rows; bytes beyond the end of the file read as zero. A
    // missing file is created empty. Returns false (rows all zero, `error`
    // saying why) when the file exists but cannot be read.
    bool read(RecordTable& rows, std::string* error = nullptr) const;

    // Writes the 20 rows, keeping the 28 leading bytes and anything after
    // the rows as they were, never leaving a torn file (see writeBytesAt:
    // a whole-file replacement, or the rows in place where the folder is
    // read-only). Returns false with `error` set when the file cannot be
    // written; the old file is then untouched. `method` says how it went.
    bool write(const RecordTable& rows, std::string* error = nullptr, WriteMethod* method = nullptr) const;

    const std::filesystem::path& path() const { return file_; }

private:
    std::filesystem::path file_;
};

// The score a stored value stands for, as the table both shows and ranks
// it: rounded to a whole number (halves to even), 2^31 (what single
// precision makes of the top scores) read as 2147483647, and a damaged
// value (not a number, negative, above 2^31) as 0.
long long scoreValue(float puntos);

// Whether the file stores the UTF-8 `name` exactly as typed: at most 25
// characters, each one Windows-1252 holds, none a control character. The
// name box takes nothing else.
bool isStorableName(std::string_view name);

// scoreValue as the table shows it: at least seven digits, zero-padded
// ("0000000", "0001234").
std::string formatScore(float puntos);

} // namespace quibix
