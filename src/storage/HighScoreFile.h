#pragma once
// "Quibix.dat": 28 unused bytes, then 20 rows of 29 bytes: a little-endian
// single-precision score and a 25-byte Windows-1252 name. Rows 0..9 are the
// Easy table, 10..19 the Hard table, best first.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

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
    // the rows as they were. The file is replaced whole (a complete new file
    // renamed over it), so a crash mid-write cannot lose the tables. Returns
    // false with `error` set when the folder or file cannot be written; the
    // old file is then untouched.
    bool write(const RecordTable& rows, std::string* error = nullptr) const;

    const std::filesystem::path& path() const { return file_; }

private:
    std::filesystem::path file_;
};

// A score as the table shows it: at least seven digits, zero-padded
// ("0000000", "0001234"). A stored value that is not a whole number is
// rounded; one that is not a number, negative or absurdly large shows as
// "0000000", so a damaged file never shows garbage.
std::string formatScore(float puntos);

} // namespace quibix
