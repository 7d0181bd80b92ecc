#include "audio/MidiCheck.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace quibix {

namespace {

// Background music is a few kilobytes; anything this large is not ours.
constexpr std::uintmax_t kMaxMidiBytes = 4u << 20;

uint32_t big(const std::vector<uint8_t>& b, std::size_t at, int n)
{
    uint32_t v = 0;
    for (int i = 0; i < n; ++i)
        v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return v;
}

// Reads a variable-length number; false when it runs past `end` or is
// longer than four bytes.
bool varLen(const std::vector<uint8_t>& b, std::size_t& at, std::size_t end, uint32_t& value)
{
    value = 0;
    for (int i = 0; i < 4; ++i) {
        if (at >= end)
            return false;
        const uint8_t byte = b[at++];
        value = (value << 7) | (byte & 0x7F);
        if ((byte & 0x80) == 0)
            return true;
    }
    return false;
}

// Walks the events of one track chunk [at, end).
bool checkTrack(const std::vector<uint8_t>& b, std::size_t at, std::size_t end, std::string& why)
{
    uint8_t running = 0;
    while (at < end) {
        uint32_t delta = 0;
        if (!varLen(b, at, end, delta) || at >= end) {
            why = "an event runs past the end of its track";
            return false;
        }
        uint8_t status = b[at];
        if (status == 0xFF) {
            if (at + 2 > end) break;
            const uint8_t type = b[at + 1];
            at += 2;
            uint32_t length = 0;
            if (!varLen(b, at, end, length) || length > end - at) break;
            at += length;
            if (type == 0x2F)
                return true; // end of track
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            ++at;
            uint32_t length = 0;
            if (!varLen(b, at, end, length) || length > end - at) break;
            at += length;
            continue;
        }
        if (status & 0x80) {
            if (status >= 0xF0) {
                why = "an unknown event in a track";
                return false;
            }
            running = status;
            ++at;
        } else if (running == 0) {
            why = "a data byte where an event should start";
            return false;
        }
        const int data = (running & 0xF0) == 0xC0 || (running & 0xF0) == 0xD0 ? 1 : 2;
        if (at + static_cast<std::size_t>(data) > end) break;
        for (int i = 0; i < data; ++i)
            if (b[at + static_cast<std::size_t>(i)] & 0x80) {
                why = "a note or control value out of range";
                return false;
            }
        at += static_cast<std::size_t>(data);
    }
    why = "a track is cut short";
    return false;
}

} // namespace

bool checkMidi(const std::vector<uint8_t>& b, std::string& why)
{
    if (b.size() < 14 || big(b, 0, 4) != 0x4D546864u /* MThd */ || big(b, 4, 4) < 6) {
        why = "not a Standard MIDI File";
        return false;
    }
    const uint32_t headerLength = big(b, 4, 4);
    const uint32_t format = big(b, 8, 2);
    const uint32_t tracks = big(b, 10, 2);
    const uint32_t division = big(b, 12, 2);
    if (format > 2 || tracks == 0 || division == 0 || (format == 0 && tracks != 1)) {
        why = "a MIDI header with impossible values";
        return false;
    }
    std::size_t at = 8 + static_cast<std::size_t>(headerLength);
    uint32_t found = 0;
    while (found < tracks) {
        if (at + 8 > b.size()) {
            why = "fewer tracks than the header announces";
            return false;
        }
        const uint32_t id = big(b, at, 4);
        const std::size_t length = big(b, at + 4, 4);
        if (length > b.size() - at - 8) {
            why = "a chunk runs past the end of the file";
            return false;
        }
        if (id == 0x4D54726Bu /* MTrk */) {
            if (!checkTrack(b, at + 8, at + 8 + length, why))
                return false;
            ++found;
        }
        at += 8 + length;
    }
    return true;
}

std::optional<std::vector<uint8_t>> readMidiFile(const std::filesystem::path& file, std::string& why)
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    if (ec) {
        why = "cannot be read";
        return std::nullopt;
    }
    if (size > kMaxMidiBytes) {
        why = "too large for a MIDI file";
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.eof() && in.fail()) {
        why = "cannot be read";
        return std::nullopt;
    }
    if (!checkMidi(bytes, why))
        return std::nullopt;
    return bytes;
}

} // namespace quibix
