#pragma once
// A small Standard MIDI File writer (format 1). Events are kept per track
// with absolute ticks and written sorted, so the same calls always give the
// same bytes.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace artgen {

class MidiTrack {
public:
    explicit MidiTrack(std::string name) : name_(std::move(name)) {}

    void note(int channel, long tick, long length, int key, int velocity);
    void program(int channel, long tick, int program);
    void control(int channel, long tick, int controller, int value);
    // Tempo in beats (quarter notes) per minute.
    void tempo(long tick, double bpm);
    void timeSignature(long tick, int numerator, int denominatorPower);

    // The track chunk, name first and end-of-track last.
    std::vector<uint8_t> chunk() const;

private:
    struct Event {
        long tick;
        // At one tick: meta and controls first, then note-offs, then note-ons,
        // so a repeated note is released before it sounds again.
        int order;
        long sequence; // keeps insertion order among equals
        std::vector<uint8_t> bytes;
    };
    void add(long tick, int order, std::vector<uint8_t> bytes);

    std::string name_;
    std::vector<Event> events_;
};

class MidiFile {
public:
    explicit MidiFile(int ticksPerBeat) : ticksPerBeat_(ticksPerBeat) {}
    MidiTrack& addTrack(const std::string& name);
    std::vector<uint8_t> bytes() const;
    bool write(const std::filesystem::path& file) const;

private:
    int ticksPerBeat_;
    std::vector<MidiTrack> tracks_;
};

} // namespace artgen
