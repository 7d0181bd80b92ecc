#pragma once
// Turns a written-out piece (chords per bar, a hand-written melody per
// section, and a style for the accompaniment) into a MIDI file. Melodies
// are ours, note by note; bass, harmony and drums follow the chords with
// fixed patterns, so every build writes the same bytes.
#include "midi_file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace artgen {

// The resolution composePiece writes at: MidiFile out(kMidiTicksPerBeat).
constexpr int kMidiTicksPerBeat = 480;

enum class BassStyle { RootFifth, Walking, Waltz, OomPah };
enum class HarmonyStyle { None, Pad, Arpeggio, Comp, Waltz, Offbeat };
enum class DrumStyle { Pop, Waltz, Clockwork, Groove };

struct Section {
    // One entry per bar; two chords in an entry share the bar ("Em7 A7").
    std::vector<std::string> bars;
    // Notes as NAME OCTAVE : EIGHTHS ("E5:2", "C#6:3"), rests as "r:4".
    std::string melody;
    int melodyTranspose = 0;
    int drums = 1; // 0 none, 1 light, 2 full
    HarmonyStyle harmony = HarmonyStyle::Pad;
    HarmonyStyle second = HarmonyStyle::None; // the extra harmony track
};

struct Instrument {
    int program = 0; // General MIDI, 0-based
    int volume = 100;
    int pan = 64;
    int reverb = 40;
};

struct Piece {
    std::string title;
    double bpm = 100;
    int beatsPerBar = 4;
    Instrument melody, harmony, bass, second;
    BassStyle bassStyle = BassStyle::RootFifth;
    DrumStyle drumStyle = DrumStyle::Pop;
    int drumVolume = 80;
    // Lowest and highest note of the harmony voicings.
    int harmonyLow = 53, harmonyHigh = 72;
    // Melody notes sound for this share of their written length.
    double legato = 0.95;
    uint32_t seed = 1;
    std::vector<Section> sections;
};

// Builds the MIDI file. Fails (with a message) when a section's melody does
// not fill its bars exactly or a chord or note cannot be read.
bool composePiece(const Piece& piece, MidiFile& out, std::string& error);

// Length of the piece in seconds, from its bars and tempo (the closing
// slow-down included).
double pieceSeconds(const Piece& piece);

} // namespace artgen
