#pragma once
// A structural check of a Standard MIDI File before it goes to the
// synthesiser, which would otherwise take a damaged file and play silence
// (or worse) without a word.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quibix {

// Whether `bytes` hold a well-formed Standard MIDI File: the header, as
// many track chunks as it announces, and every event of every track inside
// its chunk. `why` says what is wrong otherwise.
bool checkMidi(const std::vector<uint8_t>& bytes, std::string& why);

// A file's bytes when they pass the same check (unreadable and oversized
// files fail too), so what was checked is what plays.
std::optional<std::vector<uint8_t>> readMidiFile(const std::filesystem::path& file, std::string& why);

} // namespace quibix
