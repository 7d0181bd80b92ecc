#include "midi_file.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace artgen {

namespace {

constexpr int kOrderMeta = 0;
constexpr int kOrderNoteOff = 1;
constexpr int kOrderNoteOn = 2;

uint8_t clamp7(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 127)); }

void putVarLen(std::vector<uint8_t>& out, unsigned long value)
{
    uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = static_cast<uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0 && n < 5);
    while (n-- > 0)
        out.push_back(static_cast<uint8_t>(groups[n] | (n > 0 ? 0x80 : 0)));
}

void putBig(std::vector<uint8_t>& out, unsigned long value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<uint8_t>((value >> (8 * i)) & 0xFF));
}

} // namespace

void MidiTrack::add(long tick, int order, std::vector<uint8_t> bytes)
{
    events_.push_back({std::max(0L, tick), order, static_cast<long>(events_.size()), std::move(bytes)});
}

void MidiTrack::note(int channel, long tick, long length, int key, int velocity)
{
    if (length <= 0)
        return;
    const auto ch = static_cast<uint8_t>(channel & 0x0F);
    add(tick, kOrderNoteOn, {static_cast<uint8_t>(0x90 | ch), clamp7(key), static_cast<uint8_t>(std::clamp(velocity, 1, 127))});
    add(tick + length, kOrderNoteOff, {static_cast<uint8_t>(0x80 | ch), clamp7(key), 0});
}

void MidiTrack::program(int channel, long tick, int number)
{
    add(tick, kOrderMeta, {static_cast<uint8_t>(0xC0 | (channel & 0x0F)), clamp7(number)});
}

void MidiTrack::control(int channel, long tick, int controller, int value)
{
    add(tick, kOrderMeta, {static_cast<uint8_t>(0xB0 | (channel & 0x0F)), clamp7(controller), clamp7(value)});
}

void MidiTrack::tempo(long tick, double bpm)
{
    const auto usPerBeat = static_cast<unsigned long>(std::lround(60000000.0 / bpm));
    std::vector<uint8_t> bytes{0xFF, 0x51, 0x03};
    putBig(bytes, usPerBeat, 3);
    add(tick, kOrderMeta, std::move(bytes));
}

void MidiTrack::timeSignature(long tick, int numerator, int denominatorPower)
{
    add(tick, kOrderMeta, {0xFF, 0x58, 0x04, clamp7(numerator), clamp7(denominatorPower), 24, 8});
}

std::vector<uint8_t> MidiTrack::chunk() const
{
    std::vector<Event> sorted = events_;
    std::sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
        if (a.tick != b.tick) return a.tick < b.tick;
        if (a.order != b.order) return a.order < b.order;
        return a.sequence < b.sequence;
    });

    std::vector<uint8_t> data;
    data.insert(data.end(), {0x00, 0xFF, 0x03});
    putVarLen(data, name_.size());
    data.insert(data.end(), name_.begin(), name_.end());

    long last = 0;
    for (const Event& e : sorted) {
        putVarLen(data, static_cast<unsigned long>(e.tick - last));
        last = e.tick;
        data.insert(data.end(), e.bytes.begin(), e.bytes.end());
    }
    data.insert(data.end(), {0x00, 0xFF, 0x2F, 0x00});

    std::vector<uint8_t> out{'M', 'T', 'r', 'k'};
    putBig(out, data.size(), 4);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

MidiTrack& MidiFile::addTrack(const std::string& name)
{
    tracks_.emplace_back(name);
    return tracks_.back();
}

std::vector<uint8_t> MidiFile::bytes() const
{
    std::vector<uint8_t> out{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    putBig(out, tracks_.size(), 2);
    putBig(out, static_cast<unsigned long>(ticksPerBeat_), 2);
    for (const MidiTrack& t : tracks_) {
        const auto c = t.chunk();
        out.insert(out.end(), c.begin(), c.end());
    }
    return out;
}

bool MidiFile::write(const std::filesystem::path& file) const
{
    const auto data = bytes();
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    return static_cast<bool>(out);
}

} // namespace artgen
