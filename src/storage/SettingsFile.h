#pragma once
// "Quibix.cfg", the saved options, little-endian:
//   offset 0   int16  Combinaciones (3..6; 0 = not set)
//   offset 2   int16  Forma (0..5)
//   offset 4   7 x int16 Piezas: picture per piece kind, picture 0 stored
//              as -1, 0 = not set; slot 6 always 0
//   offset 18  int16  length n of Skin
//   offset 20  n bytes Skin, Windows-1252 ("\" or "\Name\")
// The file is never shortened: bytes after the record stay and are ignored.
#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace quibix {

constexpr size_t kConfigHeaderSize = 20;

struct Config {
    int16_t Combinaciones = 0;
    int16_t Forma = 0;
    std::array<int16_t, 7> Piezas{};
    std::string Skin; // the stored bytes (Windows-1252); empty = not set
};

// The record in `bytes` (the whole file). Bytes beyond the end read as
// zero; a skin length below zero or reaching past the end of the file reads
// as no skin. Pure: depends on nothing but the bytes.
Config parseConfig(std::span<const unsigned char> bytes);

// The record's bytes as they are stored from offset 0 of the file.
std::string recordBytes(const Config& config);

// The options a read record asks for, each one checked: a value out of its
// range, a piece list out of ascending order or with a picture twice gives
// that option's default (groups of 3, shape 0, pictures 0..5).
struct SavedOptions {
    int16_t combinaciones = 3;
    bool combinacionesSet = false; // the menu handler runs only when set
    int16_t forma = 0;
    std::array<int16_t, 6> piezas{0, 1, 2, 3, 4, 5};
    std::string skin; // as stored (Windows-1252); empty when not set
};
SavedOptions checkedOptions(const Config& config);

// The record of the current options, as "Save Settings" stores them.
Config configFor(int16_t combinaciones, int16_t forma, const std::array<int16_t, 6>& piezas,
                 const std::string& skinCp1252);

class SettingsFile {
public:
    explicit SettingsFile(std::filesystem::path file) : file_(std::move(file)) {}

    // Reads the record; a missing file is created empty and reads as all
    // "not set". False with `error` set when it exists but cannot be read.
    bool read(Config& config, std::string* error = nullptr) const;

    // Writes the record over the start of the file, keeping what follows
    // it, without ever leaving a torn file (storage/SafeWrite.h). False with
    // `error` set when it could not be written; the old file is then intact.
    bool write(const Config& config, std::string* error = nullptr) const;

private:
    std::filesystem::path file_;
};

} // namespace quibix
