#pragma once
// "Quibix.dat": 28 unused bytes, then the 20 rows of the record tables
// (storage/RecordTable.h), 29 bytes each: a little-endian single-precision
// score and a 25-byte Windows-1252 name.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "storage/RecordTable.h"
#include "storage/SafeWrite.h"

namespace quibix {

constexpr int kRecordSize = 29;
constexpr int kRecordsOffset = 28; // row i (1-based) starts at 29 i - 1

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

// Whether the file stores the UTF-8 `name` exactly as typed: at most 25
// characters, each one Windows-1252 holds, none a control character. The
// name box takes nothing else.
bool isStorableName(std::string_view name);

// scoreValue as the table shows it: at least seven digits, zero-padded
// ("0000000", "0001234").
std::string formatScore(float puntos);

} // namespace quibix
