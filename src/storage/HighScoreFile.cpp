#include "storage/HighScoreFile.h"

#include "storage/FileReplace.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace fs = std::filesystem;

namespace quibix {

namespace {

constexpr size_t kRowsEnd = kRecordsOffset + kRecordRows * kRecordSize; // 608

// Little-endian on every host, whatever its own byte order.
float loadScore(const unsigned char* p)
{
    const uint32_t bits = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void storeScore(unsigned char* p, float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(bits >> (8 * i));
}

size_t rowOffset(int row) // 0-based row
{
    return kRecordsOffset + static_cast<size_t>(row) * kRecordSize;
}

} // namespace

bool HighScoreFile::read(RecordTable& rows, std::string* error) const
{
    rows = RecordTable{};
    FileBytes bytes;
    if (!readOrCreate(file_, bytes, error))
        return false;
    bytes.resize(std::max(bytes.size(), kRowsEnd), 0); // beyond the end reads as zero
    for (int i = 0; i < kRecordRows; ++i) {
        const unsigned char* row = bytes.data() + rowOffset(i);
        rows[i].Puntos = loadScore(row);
        rows[i].Nombre.assign(reinterpret_cast<const char*>(row + 4), kNameLength);
    }
    return true;
}

bool HighScoreFile::write(const RecordTable& rows, std::string* error) const
{
    // The 28 leading bytes and anything after the rows stay as they were.
    return replaceFile(file_, [&rows](FileBytes& bytes) {
        bytes.resize(std::max(bytes.size(), kRowsEnd), 0);
        for (int i = 0; i < kRecordRows; ++i) {
            unsigned char* row = bytes.data() + rowOffset(i);
            storeScore(row, rows[i].Puntos);
            const std::string& name = rows[i].Nombre;
            for (int k = 0; k < kNameLength; ++k)
                row[4 + k] = k < static_cast<int>(name.size()) ? static_cast<unsigned char>(name[k]) : 0;
        }
    }, error);
}

std::string formatScore(float puntos)
{
    // A damaged file may hold any four bytes; only a sane whole score shows.
    if (!std::isfinite(puntos) || puntos < 0.0f || static_cast<double>(puntos) > 2147483647.0)
        return "0000000";
    const long long whole = static_cast<long long>(std::nearbyint(static_cast<double>(puntos)));
    char text[32];
    std::snprintf(text, sizeof text, "%07lld", whole);
    return text;
}

} // namespace quibix
