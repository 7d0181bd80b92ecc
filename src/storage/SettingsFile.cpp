#include "storage/SettingsFile.h"

#include "storage/SafeWrite.h"

#include <algorithm>

namespace quibix {

namespace {

constexpr size_t kPiezasOffset = 4;
constexpr size_t kSkinLengthOffset = 18;
constexpr int kPictures = 12;

int16_t loadInt16(std::span<const unsigned char> bytes, size_t offset)
{
    auto at = [&](size_t i) -> unsigned { return i < bytes.size() ? bytes[i] : 0u; };
    return static_cast<int16_t>(static_cast<uint16_t>(at(offset) | at(offset + 1) << 8));
}

void storeInt16(std::string& bytes, size_t offset, int16_t value)
{
    const auto bits = static_cast<uint16_t>(value);
    bytes[offset] = static_cast<char>(bits & 0xFF);
    bytes[offset + 1] = static_cast<char>(bits >> 8);
}

// The stored slots as picture numbers, or nothing when one is out of range.
bool decodePieces(const std::array<int16_t, 7>& slots, std::array<int16_t, 6>& pictures)
{
    for (size_t s = 0; s < pictures.size(); ++s) {
        const int16_t v = slots[s];
        if (v == -1)
            pictures[s] = 0;
        else if (v == 0)
            pictures[s] = static_cast<int16_t>(s);
        else if (v >= 1 && v < kPictures)
            pictures[s] = v;
        else
            return false;
    }
    // The chooser always leaves them ascending; anything else ticks fewer
    // than six boxes and would leave piece kinds without a picture.
    return std::adjacent_find(pictures.begin(), pictures.end(),
                              [](int16_t a, int16_t b) { return a >= b; }) == pictures.end();
}

} // namespace

Config parseConfig(std::span<const unsigned char> bytes)
{
    Config c;
    c.Combinaciones = loadInt16(bytes, 0);
    c.Forma = loadInt16(bytes, 2);
    for (size_t s = 0; s < c.Piezas.size(); ++s)
        c.Piezas[s] = loadInt16(bytes, kPiezasOffset + 2 * s);
    const int16_t length = loadInt16(bytes, kSkinLengthOffset);
    if (length > 0 && kConfigHeaderSize + static_cast<size_t>(length) <= bytes.size())
        c.Skin.assign(reinterpret_cast<const char*>(bytes.data()) + kConfigHeaderSize,
                      static_cast<size_t>(length));
    return c;
}

std::string recordBytes(const Config& config)
{
    // A length field cannot say more than 32767.
    const size_t length = std::min<size_t>(config.Skin.size(), INT16_MAX);
    std::string bytes(kConfigHeaderSize + length, '\0');
    storeInt16(bytes, 0, config.Combinaciones);
    storeInt16(bytes, 2, config.Forma);
    for (size_t s = 0; s < config.Piezas.size(); ++s)
        storeInt16(bytes, kPiezasOffset + 2 * s, config.Piezas[s]);
    storeInt16(bytes, kSkinLengthOffset, static_cast<int16_t>(length));
    std::copy_n(config.Skin.begin(), length, bytes.begin() + kConfigHeaderSize);
    return bytes;
}

SavedOptions checkedOptions(const Config& config)
{
    SavedOptions o;
    if (config.Combinaciones >= 3 && config.Combinaciones <= 6) {
        o.combinaciones = config.Combinaciones;
        o.combinacionesSet = true;
    }
    if (config.Forma >= 0 && config.Forma <= 5)
        o.forma = config.Forma;
    std::array<int16_t, 6> pictures{};
    if (decodePieces(config.Piezas, pictures))
        o.piezas = pictures;
    if (config.Skin != "-Default-")
        o.skin = config.Skin;
    return o;
}

Config configFor(int16_t combinaciones, int16_t forma, const std::array<int16_t, 6>& piezas,
                 const std::string& skinCp1252)
{
    Config c;
    c.Combinaciones = combinaciones;
    c.Forma = forma;
    for (size_t s = 0; s < piezas.size(); ++s)
        c.Piezas[s] = piezas[s] != 0 ? piezas[s] : int16_t{-1};
    c.Skin = skinCp1252;
    return c;
}

bool SettingsFile::read(Config& config, std::string* error) const
{
    config = Config{};
    std::string bytes;
    if (!readFileHead(file_, kConfigHeaderSize + INT16_MAX, bytes, error))
        return false;
    config = parseConfig(std::span(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
    return true;
}

bool SettingsFile::write(const Config& config, std::string* error) const
{
    const WriteOutcome outcome = writeBytesAt(file_, 0, recordBytes(config));
    if (!outcome.ok && error)
        *error = outcome.error;
    return outcome.ok;
}

} // namespace quibix
