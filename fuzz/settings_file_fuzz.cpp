// The settings file: any bytes read without harm; the options taken from
// them always in range; written back, the record's fields and every byte
// after the record stay exactly as they were.
#include "FuzzSupport.h"

#include "storage/SafeWrite.h"
#include "storage/SettingsFile.h"

#include <algorithm>
#include <iterator>
#include <span>

using namespace quibix;
namespace fs = std::filesystem;

namespace {

fs::path file() { return fuzz::scratchFolder() / "Quibix.cfg"; }

std::string load()
{
    std::ifstream in(file(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::span<const unsigned char> asBytes(const std::string& s)
{
    return {reinterpret_cast<const unsigned char*>(s.data()), s.size()};
}

std::string int16(int v) { return {char(v & 0xFF), char((v >> 8) & 0xFF)}; }

std::string record(int comb, int forma, std::array<int, 7> piezas, const std::string& skin,
                   int length = -100000)
{
    std::string r = int16(comb) + int16(forma);
    for (int p : piezas)
        r += int16(p);
    return r + int16(length == -100000 ? int(skin.size()) : length) + skin;
}

void checkOptions(const SavedOptions& o)
{
    FUZZ_CHECK(o.combinaciones >= 3 && o.combinaciones <= 6);
    FUZZ_CHECK(o.forma >= 0 && o.forma <= 5);
    for (size_t i = 0; i < o.piezas.size(); ++i) {
        FUZZ_CHECK(o.piezas[i] >= 0 && o.piezas[i] < 12);
        FUZZ_CHECK(i == 0 || o.piezas[i - 1] < o.piezas[i]);
    }
    FUZZ_CHECK(o.skin != "-Default-");
}

} // namespace

namespace quibix::fuzz {

void setUp() {}

std::vector<std::string> seeds()
{
    const std::array<int, 7> plain{-1, 1, 2, 3, 4, 5, 0};
    return {
        "",
        "\x04",
        record(4, 2, plain, "\\"),
        record(6, 5, {-1, 3, 6, 7, 10, 11, 0}, "\\Night\\"),
        record(3, 0, {0, 0, 0, 0, 0, 0, 0}, "") + "bytes after the record",
        record(2, 6, {12, -2, 5, 4, 4, 0, 9}, "-Default-"),
        record(-32768, 32767, {32767, -32768, 0, 0, 0, 0, 0}, "\\Sk\xE9n\\", 32767),
        record(5, 1, plain, "\\Short\\", 200),
        record(5, 1, plain, "\\Neg\\", -1),
        record(5, 1, plain, "\\").substr(0, 19),
        record(3, 3, plain, std::string("\\A\0\r\n\\", 6)) + std::string(300, '\0') + "TAIL",
    };
}

} // namespace quibix::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    const std::string before(reinterpret_cast<const char*>(data), size);
    std::ofstream(file(), std::ios::binary | std::ios::trunc) << before;

    Config read;
    FUZZ_CHECK(SettingsFile(file()).read(read));
    FUZZ_CHECK(read.Skin.size() <= INT16_MAX);
    // The reader and the pure parser agree.
    const Config parsed = parseConfig(asBytes(before));
    FUZZ_CHECK(parsed.Combinaciones == read.Combinaciones && parsed.Forma == read.Forma);
    FUZZ_CHECK(parsed.Piezas == read.Piezas && parsed.Skin == read.Skin);
    checkOptions(checkedOptions(read));

    // Written back: the fields stay, and so does every byte after the
    // record; a skin length that could not be read becomes 0.
    FUZZ_CHECK(SettingsFile(file()).write(read));
    const std::string record = recordBytes(read);
    std::string expected = before;
    expected.resize(std::max(expected.size(), record.size()), '\0');
    expected.replace(0, record.size(), record);
    const std::string after = load();
    FUZZ_CHECK(after == expected);
    FUZZ_CHECK(after.compare(0, 18, expected, 0, 18) == 0);
    if (!read.Skin.empty())
        FUZZ_CHECK(after.compare(0, std::min(before.size(), record.size()), before, 0,
                                 std::min(before.size(), record.size())) == 0);

    // Read once more: the same record.
    Config again;
    FUZZ_CHECK(SettingsFile(file()).read(again));
    FUZZ_CHECK(again.Combinaciones == read.Combinaciones && again.Forma == read.Forma);
    FUZZ_CHECK(again.Piezas == read.Piezas && again.Skin == read.Skin);

    // The options as "Save Settings" stores them read back as themselves.
    const SavedOptions options = checkedOptions(read);
    const Config saved = configFor(options.combinaciones, options.forma, options.piezas, options.skin);
    const SavedOptions back = checkedOptions(parseConfig(asBytes(recordBytes(saved))));
    FUZZ_CHECK(back.combinaciones == options.combinaciones && back.forma == options.forma);
    FUZZ_CHECK(back.piezas == options.piezas && back.skin == options.skin);

    FUZZ_CHECK(!fs::exists(tempPathFor(file())));
    return 0;
}
