#include "music_compose.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace artgen {

namespace {

constexpr int kTicksPerBeat = kMidiTicksPerBeat;
constexpr long kEighth = kTicksPerBeat / 2;

constexpr int kMelodyChannel = 0;
constexpr int kHarmonyChannel = 1;
constexpr int kBassChannel = 2;
constexpr int kSecondChannel = 3;
constexpr int kDrumChannel = 9;

// General MIDI percussion keys.
enum Drum {
    Kick = 36, SideStick = 37, Snare = 38, ClosedHat = 42, PedalHat = 44, Crash = 49,
    Ride = 51, Claves = 75, HighWood = 76, LowWood = 77,
    LowTom = 45, MidTom = 47, HighMidTom = 48, HighTom = 50,
};

// The closing slow-down: the last written bar, then the held final chord.
constexpr double kLastBarTempo = 0.92;
constexpr double kFinalBarTempo = 0.82;

// Deterministic small variations of loudness, so repeated patterns breathe.
class Humanizer {
public:
    explicit Humanizer(uint32_t seed) : state_(seed ? seed : 1) {}
    int jitter(int amount)
    {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 16) % static_cast<uint32_t>(2 * amount + 1)) - amount;
    }

private:
    uint32_t state_;
};

int pitchClass(char letter)
{
    switch (letter) {
    case 'C': return 0; case 'D': return 2; case 'E': return 4; case 'F': return 5;
    case 'G': return 7; case 'A': return 9; case 'B': return 11;
    default: return -1;
    }
}

// Reads a letter with accidentals from `text` at `pos`; -1 when there is none.
int readPitchClass(const std::string& text, std::size_t& pos)
{
    if (pos >= text.size())
        return -1;
    int pc = pitchClass(text[pos]);
    if (pc < 0)
        return -1;
    ++pos;
    while (pos < text.size() && (text[pos] == '#' || text[pos] == 'b')) {
        pc += text[pos] == '#' ? 1 : -1;
        ++pos;
    }
    return (pc + 12) % 12;
}

struct Chord {
    int root = 0;
    int bass = 0;           // pitch class under the chord (slash chords)
    std::vector<int> tones; // pitch classes, root first
    bool minorThird = false;
};

bool parseChord(const std::string& text, Chord& chord)
{
    std::size_t pos = 0;
    const int root = readPitchClass(text, pos);
    if (root < 0)
        return false;
    std::string quality = text.substr(pos);
    int bass = root;
    if (const auto slash = quality.find('/'); slash != std::string::npos) {
        std::size_t bpos = slash + 1;
        bass = readPitchClass(quality, bpos);
        if (bass < 0 || bpos != quality.size())
            return false;
        quality.resize(slash);
    }
    static const std::vector<std::pair<std::string, std::vector<int>>> kQualities{
        {"", {0, 4, 7}},         {"m", {0, 3, 7}},        {"7", {0, 4, 7, 10}},
        {"maj7", {0, 4, 7, 11}}, {"m7", {0, 3, 7, 10}},   {"sus4", {0, 5, 7}},
        {"sus2", {0, 2, 7}},     {"6", {0, 4, 7, 9}},     {"add9", {0, 4, 7, 2}},
        {"dim", {0, 3, 6}},
    };
    for (const auto& [name, intervals] : kQualities) {
        if (name != quality)
            continue;
        chord.root = root;
        chord.bass = bass;
        chord.tones.clear();
        for (int i : intervals)
            chord.tones.push_back((root + i) % 12);
        chord.minorThird = intervals.size() > 1 && intervals[1] == 3;
        return true;
    }
    return false;
}

struct Span {
    long start = 0;  // tick
    int bar = 0;     // bar number in the piece
    int offset = 0;  // eighths from the start of the bar
    int length = 0;  // in eighths
    Chord chord;
};

// Close voicings of the chord inside [low, high], one per inversion and
// octave; the one moving least from the previous voicing wins, so inner
// voices step rather than leap.
std::vector<int> voiceLead(const Chord& chord, const std::vector<int>& previous, int low, int high)
{
    std::vector<std::vector<int>> candidates;
    const int n = static_cast<int>(chord.tones.size());
    for (int inversion = 0; inversion < n; ++inversion) {
        for (int start = low; start < low + 12; ++start) {
            if (start % 12 != chord.tones[static_cast<std::size_t>(inversion)])
                continue;
            std::vector<int> v{start};
            for (int k = 1; k < n; ++k) {
                int note = v.back() + 1;
                while (note % 12 != chord.tones[static_cast<std::size_t>((inversion + k) % n)])
                    ++note;
                v.push_back(note);
            }
            for (int shift = 0; v.back() + shift <= high; shift += 12) {
                std::vector<int> moved = v;
                for (int& x : moved)
                    x += shift;
                candidates.push_back(moved);
            }
        }
    }
    if (candidates.empty())
        return {};
    const double centre = (low + high) / 2.0;
    auto cost = [&](const std::vector<int>& v) {
        if (previous.empty()) {
            double mean = 0;
            for (int x : v) mean += x;
            return std::abs(mean / static_cast<double>(v.size()) - centre);
        }
        double total = 0;
        for (std::size_t i = 0; i < v.size(); ++i)
            total += std::abs(v[i] - previous[std::min(i, previous.size() - 1)]);
        return total;
    };
    return *std::min_element(candidates.begin(), candidates.end(),
                             [&](const auto& a, const auto& b) { return cost(a) < cost(b); });
}

int bassNote(int pc) { return 33 + (pc - 9 + 12) % 12; } // A1 .. G#2

class Composer {
public:
    Composer(const Piece& piece, MidiFile& file)
        : piece_(piece), file_(file), human_(piece.seed), barEighths_(piece.beatsPerBar * 2)
    {
    }

    bool run(std::string& error)
    {
        if (!collectSpans(error))
            return false;
        writeTempo();
        if (!writeMelody(error))
            return false;
        writeHarmony(piece_.harmony, kHarmonyChannel, "Harmony", false);
        if (piece_.second.program >= 0 && hasSecond())
            writeHarmony(piece_.second, kSecondChannel, "Harmony 2", true);
        writeBass();
        writeDrums();
        return true;
    }

private:
    long barTick(int bar) const { return static_cast<long>(bar) * barEighths_ * kEighth; }

    bool hasSecond() const
    {
        return std::any_of(piece_.sections.begin(), piece_.sections.end(),
                           [](const Section& s) { return s.second != HarmonyStyle::None; });
    }

    bool collectSpans(std::string& error)
    {
        int bar = 0;
        for (std::size_t s = 0; s < piece_.sections.size(); ++s) {
            sectionStart_.push_back(bar);
            for (const std::string& text : piece_.sections[s].bars) {
                std::istringstream in(text);
                std::vector<Chord> chords;
                for (std::string name; in >> name;) {
                    Chord c;
                    if (!parseChord(name, c)) {
                        error = piece_.title + ": cannot read chord \"" + name + "\"";
                        return false;
                    }
                    chords.push_back(c);
                }
                if (chords.empty() || barEighths_ % static_cast<int>(chords.size()) != 0) {
                    error = piece_.title + ": bar \"" + text + "\" does not divide evenly";
                    return false;
                }
                const int each = barEighths_ / static_cast<int>(chords.size());
                for (std::size_t i = 0; i < chords.size(); ++i) {
                    const int offset = static_cast<int>(i) * each;
                    spans_.push_back({barTick(bar) + offset * kEighth, bar, offset, each, chords[i]});
                    spanSection_.push_back(s);
                }
                ++bar;
            }
        }
        totalBars_ = bar;
        return !spans_.empty();
    }

    void setUp(MidiTrack& t, int channel, const Instrument& ins)
    {
        t.program(channel, 0, ins.program);
        t.control(channel, 0, 7, ins.volume);
        t.control(channel, 0, 10, ins.pan);
        t.control(channel, 0, 91, ins.reverb);
        t.control(channel, 0, 93, 12);
    }

    void writeTempo()
    {
        MidiTrack& t = file_.addTrack(piece_.title);
        t.timeSignature(0, piece_.beatsPerBar, 2);
        t.tempo(0, piece_.bpm);
        t.tempo(barTick(totalBars_ - 1), piece_.bpm * kLastBarTempo);
        t.tempo(barTick(totalBars_), piece_.bpm * kFinalBarTempo);
    }

    bool writeMelody(std::string& error)
    {
        MidiTrack& t = file_.addTrack("Melody");
        setUp(t, kMelodyChannel, piece_.melody);
        for (std::size_t s = 0; s < piece_.sections.size(); ++s) {
            const Section& sec = piece_.sections[s];
            long eighth = 0;
            std::istringstream in(sec.melody);
            for (std::string token; in >> token;) {
                const auto colon = token.find(':');
                const int length = colon == std::string::npos ? 0 : std::atoi(token.c_str() + colon + 1);
                if (length <= 0) {
                    error = piece_.title + ": cannot read \"" + token + "\"";
                    return false;
                }
                if (token[0] != 'r') {
                    std::size_t pos = 0;
                    const int pc = readPitchClass(token, pos);
                    const int octave = pos < colon ? std::atoi(token.c_str() + pos) : -9;
                    if (pc < 0 || octave < 1 || octave > 8) {
                        error = piece_.title + ": cannot read note \"" + token + "\"";
                        return false;
                    }
                    const int key = 12 * (octave + 1) + pc + sec.melodyTranspose;
                    const bool downbeat = eighth % barEighths_ == 0;
                    const int velocity = 84 + (downbeat ? 6 : 0) + std::min(length, 4) + human_.jitter(4);
                    const long sounding = std::max<long>(kEighth / 4, std::lround(length * kEighth * piece_.legato));
                    t.note(kMelodyChannel, barTick(sectionStart_[s]) + eighth * kEighth, sounding, key, velocity);
                }
                eighth += length;
            }
            const long wanted = static_cast<long>(sec.bars.size()) * barEighths_;
            if (!sec.melody.empty() && eighth != wanted) {
                error = piece_.title + ": section " + std::to_string(s + 1) + " melody lasts " +
                        std::to_string(eighth) + " eighths, its bars " + std::to_string(wanted);
                return false;
            }
        }
        return true;
    }

    void writeHarmony(const Instrument& ins, int channel, const std::string& name, bool second)
    {
        MidiTrack& t = file_.addTrack(name);
        setUp(t, channel, ins);
        std::vector<int> voicing;
        for (std::size_t i = 0; i < spans_.size(); ++i) {
            const Span& sp = spans_[i];
            voicing = voiceLead(sp.chord, voicing, piece_.harmonyLow, piece_.harmonyHigh);
            const Section& sec = piece_.sections[spanSection_[i]];
            play(t, channel, second ? sec.second : sec.harmony, sp, voicing);
        }
        // The final chord, held through the closing bar.
        for (int key : voicing)
            t.note(channel, barTick(totalBars_), barEighths_ * kEighth + kTicksPerBeat, key, 50 + human_.jitter(3));
    }

    void play(MidiTrack& t, int channel, HarmonyStyle style, const Span& sp, const std::vector<int>& v)
    {
        auto chordAt = [&](int eighth, double length, int velocity) {
            for (int key : v)
                t.note(channel, sp.start + eighth * kEighth, std::lround(length * kEighth), key,
                       velocity + human_.jitter(3));
        };
        switch (style) {
        case HarmonyStyle::None:
            break;
        case HarmonyStyle::Pad:
            chordAt(0, sp.length - 0.1, 48);
            break;
        case HarmonyStyle::Arpeggio: {
            // Up and back down the voicing, each note left ringing.
            std::vector<int> order;
            for (std::size_t k = 0; k < v.size(); ++k) order.push_back(static_cast<int>(k));
            for (std::size_t k = v.size() - 2; k >= 1 && k < v.size(); --k) order.push_back(static_cast<int>(k));
            for (int e = 0; e < sp.length; ++e) {
                const int key = v[static_cast<std::size_t>(order[static_cast<std::size_t>(e) % order.size()])];
                const int length = std::min(2, sp.length - e);
                t.note(channel, sp.start + e * kEighth, length * kEighth - 10, key,
                       (e == 0 ? 58 : 48) + human_.jitter(4));
            }
            break;
        }
        case HarmonyStyle::Comp:
            for (int e = 0; e < sp.length; ++e)
                if ((sp.offset + e) % 4 == 2)
                    chordAt(e, 1.5, 50);
            break;
        case HarmonyStyle::Waltz:
            for (int e = 0; e < sp.length; ++e)
                if ((sp.offset + e) % 2 == 0 && (sp.offset + e) != 0)
                    chordAt(e, 1.6, 44);
            break;
        case HarmonyStyle::Offbeat:
            for (int e = 0; e < sp.length; ++e)
                if ((sp.offset + e) % 2 == 1)
                    chordAt(e, 0.6, 42);
            break;
        }
    }

    void writeBass()
    {
        MidiTrack& t = file_.addTrack("Bass");
        setUp(t, kBassChannel, piece_.bass);
        for (std::size_t i = 0; i < spans_.size(); ++i) {
            const Span& sp = spans_[i];
            const Chord& c = sp.chord;
            const int root = bassNote(c.bass);
            const int fifth = bassNote(c.root) + 7;
            const int third = bassNote(c.root) + (c.minorThird ? 3 : 4);
            const int next = i + 1 < spans_.size() ? bassNote(spans_[i + 1].chord.bass) : root;
            // Walking lines step chromatically into the next root; the
            // plainer styles lead there through a chord tone.
            const int approach = next > root ? next - 1 : next + 1;
            const int lead = next == root ? fifth : third;
            const int beats = sp.length / 2;
            auto n = [&](double beat, double length, int key, int velocity) {
                t.note(kBassChannel, sp.start + std::lround(beat * kTicksPerBeat),
                       std::lround(length * kTicksPerBeat), key, velocity + human_.jitter(4));
            };
            switch (piece_.bassStyle) {
            case BassStyle::RootFifth:
                if (beats >= 4) {
                    n(0, 1.4, root, 82); n(1.5, 0.45, root, 66); n(2, 0.95, fifth, 74); n(3, 0.95, lead, 70);
                } else if (beats >= 2) {
                    n(0, 1.4, root, 82); n(1.5, 0.45, fifth, 66);
                } else {
                    n(0, beats * 0.95, root, 80);
                }
                break;
            case BassStyle::Walking: {
                // Up through the chord towards a higher root; towards a
                // lower one, down past the fifth below and in from above.
                const int line[4] = {root, third, next < root ? root - 5 : fifth,
                                     next == root ? third : approach};
                if (beats >= 4)
                    for (int b = 0; b < 4; ++b) n(b, 0.9, line[b], b == 0 ? 80 : 70);
                else {
                    n(0, 0.9, root, 80);
                    if (beats > 1) n(1, 0.9, next == root ? fifth : approach, 70);
                }
                break;
            }
            case BassStyle::Waltz:
                if (sp.bar % 2 == 0 || beats < 3)
                    n(0, beats * 0.95, root, 76);
                else {
                    n(0, 1.9, root, 76); n(2, 0.9, fifth, 66);
                }
                break;
            case BassStyle::OomPah:
                n(0, 0.6, root, 80);
                if (beats >= 4) n(2, 0.6, fifth, 72);
                if (beats >= 4 && sp.bar % 2 == 1) n(3.5, 0.4, lead, 62);
                break;
            }
        }
        t.note(kBassChannel, barTick(totalBars_), barEighths_ * kEighth, bassNote(spans_.back().chord.bass), 78);
    }

    void hit(MidiTrack& t, int bar, double eighth, int key, int velocity)
    {
        t.note(kDrumChannel, barTick(bar) + std::lround(eighth * kEighth), kEighth / 2, key,
               velocity + human_.jitter(5));
    }

    void writeDrums()
    {
        MidiTrack& t = file_.addTrack("Drums");
        t.control(kDrumChannel, 0, 7, piece_.drumVolume);
        t.control(kDrumChannel, 0, 91, 30);
        for (std::size_t s = 0; s < piece_.sections.size(); ++s) {
            const Section& sec = piece_.sections[s];
            const int level = sec.drums;
            const int previous = s > 0 ? piece_.sections[s - 1].drums : 0;
            const int next = s + 1 < piece_.sections.size() ? piece_.sections[s + 1].drums : 0;
            const int bars = static_cast<int>(sec.bars.size());
            for (int b = 0; b < bars && level > 0; ++b) {
                const int bar = sectionStart_[s] + b;
                // A short tom run leads into the next section.
                const bool fill = b == bars - 1 && bars >= 8 && next > 0;
                if (b == 0 && level == 2 && previous != 2)
                    hit(t, bar, 0, Crash, 58);
                groove(t, bar, level, fill ? barEighths_ / 2 : barEighths_);
                if (fill) {
                    static const int toms[] = {HighTom, HighMidTom, MidTom, LowTom};
                    for (int e = barEighths_ / 2, k = 0; e < barEighths_; ++e, ++k)
                        hit(t, bar, e, toms[std::min(k, 3)], 48 + 5 * k);
                }
            }
        }
        if (piece_.sections.back().drums > 0) {
            hit(t, totalBars_, 0, Crash, 56);
            hit(t, totalBars_, 0, Kick, 64);
        }
    }

    // One bar's pattern, up to (not including) eighth `until`.
    void groove(MidiTrack& t, int bar, int level, int until)
    {
        const bool odd = bar % 2 == 1;
        for (int e = 0; e < until; ++e) {
            switch (piece_.drumStyle) {
            case DrumStyle::Pop:
                if (level == 1) {
                    if (e % 2 == 0) hit(t, bar, e, ClosedHat, e == 0 ? 48 : 40);
                    if (e == 0) hit(t, bar, e, Kick, 62);
                    if (e == 4) hit(t, bar, e, SideStick, 40);
                } else {
                    hit(t, bar, e, ClosedHat, e % 2 == 0 ? 46 : 32);
                    if (e == 0 || e == 4 || (odd && e == 5)) hit(t, bar, e, Kick, 68);
                    if (e == 2 || e == 6) hit(t, bar, e, Snare, 54);
                }
                break;
            case DrumStyle::Waltz:
                if (e == 0) hit(t, bar, e, Kick, level == 1 ? 52 : 60);
                if (e == 2 || e == 4) hit(t, bar, e, level == 1 ? ClosedHat : PedalHat, 36);
                if (level == 2 && e % 2 == 0) hit(t, bar, e, Ride, e == 0 ? 50 : 42);
                break;
            case DrumStyle::Clockwork:
                if (e == 0 || e == 4) hit(t, bar, e, LowWood, 52);
                if (e == 2 || e == 6) hit(t, bar, e, HighWood, 44);
                if (level == 2) {
                    if (e == 0 || e == 4) hit(t, bar, e, Kick, 64);
                    if (e % 2 == 1) hit(t, bar, e, Claves, 30);
                    if (e == 2 || e == 6) hit(t, bar, e, SideStick, 42);
                }
                break;
            case DrumStyle::Groove:
                if (e != 1 && e != 5) hit(t, bar, e, Ride, e % 2 == 0 ? 44 : 32);
                if (e == 2 || e == 6) hit(t, bar, e, PedalHat, 40);
                if (level == 2) {
                    if (e == 0 || e == 3 || (odd && e == 7)) hit(t, bar, e, Kick, 62);
                    if (e == 6) hit(t, bar, e, SideStick, 46);
                }
                break;
            }
        }
    }

    const Piece& piece_;
    MidiFile& file_;
    Humanizer human_;
    int barEighths_;
    std::vector<Span> spans_;
    std::vector<std::size_t> spanSection_;
    std::vector<int> sectionStart_;
    int totalBars_ = 0;
};

} // namespace

bool composePiece(const Piece& piece, MidiFile& out, std::string& error)
{
    if (piece.sections.empty() || piece.beatsPerBar < 2) {
        error = piece.title + ": nothing to play";
        return false;
    }
    Composer composer(piece, out);
    return composer.run(error);
}

double pieceSeconds(const Piece& piece)
{
    int bars = 0;
    for (const Section& s : piece.sections)
        bars += static_cast<int>(s.bars.size());
    const double beat = 60.0 / piece.bpm;
    return ((bars - 1) + 1 / kLastBarTempo + 1 / kFinalBarTempo) * piece.beatsPerBar * beat;
}

} // namespace artgen
