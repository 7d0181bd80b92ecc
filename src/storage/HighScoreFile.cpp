#include "storage/HighScoreFile.h"

#include "storage/Cp1252.h"
#include "storage/SafeWrite.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace fs = std::filesystem;

namespace quibix {

namespace {

constexpr size_t kRowsEnd = kRecordsOffset + kRecordRows * kRecordSize; // 608
constexpr size_t kRowsBytes = kRowsEnd - kRecordsOffset;

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
    p[0] = static_cast<unsigned char>(bits);
    p[1] = static_cast<unsigned char>(bits >> 8);
    p[2] = static_cast<unsigned char>(bits >> 16);
    p[3] = static_cast<unsigned char>(bits >> 24);
}

} // namespace

bool HighScoreFile::read(RecordTable& rows, std::string* error) const
{
    rows = RecordTable{};
    // Only the bytes of the rows: a file of any size reads at once.
    std::string bytes;
    if (!readFileHead(file_, kRowsEnd, bytes, error))
        return false;
    bytes.resize(kRowsEnd, '\0'); // beyond the end reads as zero
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (int i = 0; i < kRecordRows; ++i) {
        const unsigned char* row = data + kRecordsOffset + static_cast<size_t>(i) * kRecordSize;
        rows[i].Puntos = loadScore(row);
        rows[i].Nombre.assign(reinterpret_cast<const char*>(row + 4), kNameLength);
    }
    return true;
}

bool HighScoreFile::write(const RecordTable& rows, std::string* error, WriteMethod* method) const
{
    std::string bytes(kRowsBytes, '\0');
    for (int i = 0; i < kRecordRows; ++i) {
        auto* row = reinterpret_cast<unsigned char*>(bytes.data()) + static_cast<size_t>(i) * kRecordSize;
        storeScore(row, rows[i].Puntos);
        const std::string& name = rows[i].Nombre;
        // 25 bytes of a fixed-width field, not a C string: no NUL is added.
        std::copy_n(name.data(), std::min<size_t>(name.size(), kNameLength), row + 4);
    }
    // Only the rows change; the 28 bytes before them and anything after
    // them stay as they are on disk.
    const WriteOutcome outcome = writeBytesAt(file_, kRecordsOffset, bytes);
    if (error)
        *error = outcome.error;
    if (method)
        *method = outcome.method;
    return outcome.ok;
}

bool isStorableName(std::string_view name)
{
    if (!fitsCp1252(name))
        return false;
    const std::string stored = utf8ToCp1252(name); // one byte per character
    return stored.size() <= static_cast<size_t>(kNameLength) &&
           std::none_of(stored.begin(), stored.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

std::string formatScore(float puntos)
{
    char text[32];
    std::snprintf(text, sizeof text, "%07lld", scoreValue(puntos));
    return text;
}

} // namespace quibix
