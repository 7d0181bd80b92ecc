// The score file: any bytes read without harm, and written back with every
// byte the game must keep (the 28 leading bytes, whatever follows the rows,
// holes included) left exactly as it was.
#include "FuzzSupport.h"

#include "storage/HighScoreFile.h"

#include <algorithm>
#include <fcntl.h>
#include <iterator>

using namespace quibix;
namespace fs = std::filesystem;

namespace {

constexpr size_t kRowsEnd = kRecordsOffset + kRecordRows * kRecordSize;

fs::path file() { return fuzz::scratchFolder() / "Quibix.dat"; }

// The input as a file; an odd last byte also puts a hole of up to 64 KiB
// and a tail after it, so that sparse copies are exercised.
std::string makeFile(const uint8_t* data, size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (size >= 2 && (data[size - 1] & 1))
        bytes += std::string(size_t(data[size - 2]) * 256, '\0') + "TAIL";
    const int fd = ::open(file().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    FUZZ_CHECK(fd >= 0);
    size_t head = std::min(size, bytes.size());
    FUZZ_CHECK(::pwrite(fd, bytes.data(), head, 0) == ssize_t(head));
    if (bytes.size() > size) // the hole is skipped, only the tail written
        FUZZ_CHECK(::pwrite(fd, "TAIL", 4, off_t(bytes.size() - 4)) == 4);
    ::close(fd);
    return bytes;
}

std::string load()
{
    std::ifstream in(file(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

uint32_t bits(float f)
{
    uint32_t b;
    std::memcpy(&b, &f, 4);
    return b;
}

void checkScore(float puntos)
{
    const long long value = scoreValue(puntos);
    FUZZ_CHECK(value >= 0 && value <= 2147483647LL);
    const std::string shown = formatScore(puntos);
    FUZZ_CHECK(shown.size() >= 7 && shown.find_first_not_of("0123456789") == std::string::npos);
    FUZZ_CHECK(std::stoll(shown) == value);
}

} // namespace

namespace quibix::fuzz {

void setUp() {}

std::vector<std::string> seeds()
{
    auto row = [](uint32_t scoreBits, const std::string& name) {
        std::string r(4, '\0');
        for (int i = 0; i < 4; ++i)
            r[i] = char(scoreBits >> (8 * i));
        std::string n = name;
        n.resize(kNameLength, ' ');
        return r + n;
    };
    std::string good(kRecordsOffset, '\0');
    for (int i = 0; i < kRecordRows; ++i)
        good += row(bits(float(1000 - 50 * i)), "Quibix Master " + std::to_string(i % 10 + 1));
    std::string limits(kRecordsOffset, '\xFF');
    const uint32_t edges[] = {0x4F000000u /* 2^31 */, 0x4EFFFFFFu, 0x4F000001u, 0x7FC00000u /* NaN */,
                              0x7F800000u, 0xFF800000u, 0x80000000u, 0x3F000000u /* 0.5 */,
                              0x00000001u, 0xBF800000u};
    for (int i = 0; i < kRecordRows; ++i)
        limits += row(edges[i % 10], i % 2 ? std::string(25, '\xFF') : std::string("A\0\r\nB", 5));
    return {
        "", "\x01", std::string(kRecordsOffset, 'h'), good.substr(0, 57), good.substr(0, kRowsEnd - 1),
        good, good + "trailing bytes kept", limits, good + std::string(3, '\0') + "\x05\x01", // + a hole
    };
}

} // namespace quibix::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    const std::string before = makeFile(data, size);
    RecordTable rows;
    FUZZ_CHECK(HighScoreFile(file()).read(rows));

    std::string padded = before;
    padded.resize(std::max(padded.size(), kRowsEnd), '\0');
    for (int i = 0; i < kRecordRows; ++i) {
        const size_t at = kRecordsOffset + size_t(i) * kRecordSize;
        float stored;
        std::memcpy(&stored, padded.data() + at, 4);
        FUZZ_CHECK(bits(rows[i].Puntos) == bits(stored));
        FUZZ_CHECK(rows[i].Nombre == padded.substr(at + 4, kNameLength));
        checkScore(rows[i].Puntos);
    }

    // Written back unchanged: the very same bytes (a short file grown to
    // the end of the rows).
    FUZZ_CHECK(HighScoreFile(file()).write(rows));
    FUZZ_CHECK(load() == padded);

    // Other rows: only bytes 28..607 change, and they read back exactly.
    std::reverse(rows.begin(), rows.end());
    rows[0].Nombre = "short";
    FUZZ_CHECK(HighScoreFile(file()).write(rows));
    const std::string after = load();
    FUZZ_CHECK(after.size() == padded.size());
    FUZZ_CHECK(after.compare(0, kRecordsOffset, padded, 0, kRecordsOffset) == 0);
    FUZZ_CHECK(after.compare(kRowsEnd, std::string::npos, padded, kRowsEnd, std::string::npos) == 0);
    RecordTable again;
    FUZZ_CHECK(HighScoreFile(file()).read(again));
    for (int i = 0; i < kRecordRows; ++i) {
        FUZZ_CHECK(bits(again[i].Puntos) == bits(rows[i].Puntos));
        std::string name = rows[i].Nombre;
        name.resize(kNameLength, '\0');
        FUZZ_CHECK(again[i].Nombre == name);
    }
    // The one temporary never outlives a write.
    FUZZ_CHECK(!fs::exists(tempPathFor(file())));
    return 0;
}
