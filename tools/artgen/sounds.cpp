// The ten effect sounds, synthesised: short, clean, each with its own
// character so the player can tell them apart without looking.
#include "artgen.h"
#include "synth.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace artgen::synth;

namespace {

// Loudness targets (see synth::finish): the tunes and big moments alike,
// the quick ticks of a shot a little softer as they come often.
constexpr double kLoud = -13.0;
constexpr double kSoft = -16.0;

const Timbre& mallet()
{
    static const Timbre t{{{1.0, 1.0, 0.45}, {4.0, 0.22, 0.06}, {9.9, 0.05, 0.015}}, 0.002, 0.06};
    return t;
}

const Timbre& bell()
{
    static const Timbre t{
        {{1.0, 1.0, 0.8}, {2.0, 0.3, 0.5}, {2.76, 0.28, 0.35}, {5.4, 0.12, 0.12}, {8.93, 0.06, 0.05}},
        0.002, 0.08};
    return t;
}

// Odd harmonics, softly decaying: a round, toy-like chirp.
const Timbre& softSquare()
{
    static const Timbre t{{{1, 1.0, 0.35}, {3, 0.3, 0.2}, {5, 0.12, 0.12}, {7, 0.06, 0.08}}, 0.005, 0.05};
    return t;
}

// Sawtooth-like with a slow attack and vibrato on held notes: brass.
const Timbre& brass()
{
    static const Timbre t = [] {
        Timbre b;
        for (int n = 1; n <= 10; ++n)
            b.partials.push_back({double(n), 1.0 / n, n > 4 ? 0.4 : 0.0});
        b.attack = 0.025;
        b.release = 0.08;
        b.vibratoDepth = 0.005;
        b.vibratoRate = 5.5;
        b.vibratoDelay = 0.15;
        return b;
    }();
    return t;
}

// Few, weak harmonics and a wide slow vibrato: a muted, mournful horn.
const Timbre& mutedHorn()
{
    static const Timbre t = [] {
        Timbre m;
        for (int n = 1; n <= 6; ++n)
            m.partials.push_back({double(n), 1.0 / (n * n), 0.3});
        m.attack = 0.03;
        m.release = 0.12;
        m.vibratoDepth = 0.012;
        m.vibratoRate = 4.5;
        m.vibratoDelay = 0.12;
        return m;
    }();
    return t;
}

Curve constant(double v) { return [v](double) { return v; }; }

// Start-up: a bright marimba arpeggio landing on a held bell chord.
Signal wellcome()
{
    Signal s(2.1);
    const double notes[][2] = {{72, 0.0}, {76, 0.11}, {79, 0.22}, {84, 0.33}, {79, 0.50}, {84, 0.61}};
    for (const auto& n : notes)
        note(s, n[1], 0.12, hz(n[0]), mallet(), 0.8);
    for (double m : {76.0, 79.0, 84.0, 88.0})
        note(s, 0.78, 0.9, hz(m), mallet(), 0.35);
    note(s, 0.78, 1.1, hz(88), bell(), 0.45);
    // A quiet low fifth underneath for warmth.
    note(s, 0.78, 0.9, hz(48), Timbre{{{1, 1, 0.6}, {2, 0.3, 0.3}}, 0.02, 0.2}, 0.3);
    return s;
}

// The cannon firing: a rising "thwip" over a short puff and a body thump.
Signal shoot()
{
    Signal s(0.22);
    tone(s, 0.0, 0.2, [](double t) { return expGlide(320, 1500, t / 0.07); },
         percussive(0.003, 0.06, 0.2), {{1, 1, 0}, {2, 0.2, 0.03}});
    noise(s, 0.0, 0.05, Biquad::Kind::BandPass, constant(1800), 0.9, percussive(0.001, 0.012, 0.05, 0.5),
          0xC0FFEEu);
    tone(s, 0.0, 0.08, [](double t) { return expGlide(160, 90, t / 0.06); },
         percussive(0.002, 0.025, 0.08, 0.6), {{1, 1, 0}});
    return s;
}

// Off the wall: a short wooden knock with a little rubbery pitch drop.
Signal rebound()
{
    Signal s(0.1);
    auto drop = [](double base) {
        return [base](double t) { return base * (1.0 + 0.08 * std::exp(-t / 0.01)); };
    };
    tone(s, 0.0, 0.1, drop(620), percussive(0.001, 0.025, 0.1), {{1, 1, 0}});
    tone(s, 0.0, 0.1, drop(1710), percussive(0.001, 0.012, 0.1, 0.45), {{1, 1, 0}});
    tone(s, 0.0, 0.06, drop(3050), percussive(0.001, 0.006, 0.06, 0.2), {{1, 1, 0}});
    noise(s, 0.0, 0.012, Biquad::Kind::BandPass, constant(2500), 1.2, percussive(0.0005, 0.003, 0.012, 0.6),
          0xB0A7u);
    return s;
}

// Pieces vanish: a pop, a quick rising chime and a scatter of sparkles.
Signal sound18()
{
    Signal s(0.45);
    tone(s, 0.0, 0.05, [](double t) { return expGlide(1200, 450, t / 0.03); },
         percussive(0.001, 0.015, 0.05, 0.8), {{1, 1, 0}});
    const double chime[][2] = {{88, 0.03}, {92, 0.08}, {95, 0.13}};
    for (const auto& c : chime)
        note(s, c[1], 0.05, hz(c[0]), Timbre{bell().partials, 0.002, 0.2}, 0.45);
    Noise rng(0x5A4Au);
    for (int i = 0; i < 9; ++i) {
        const double at = rng.uniform(0.05, 0.3);
        const double f = rng.uniform(3000, 7000);
        tone(s, at, 0.05, constant(f), percussive(0.001, 0.012, 0.05, 0.12), {{1, 1, 0}});
    }
    return s;
}

// A few pieces fell: a small rising three-note cheer.
Signal great1()
{
    Signal s(0.55);
    note(s, 0.0, 0.07, hz(76), softSquare(), 0.6);
    note(s, 0.09, 0.07, hz(79), softSquare(), 0.6);
    note(s, 0.18, 0.25, hz(84), softSquare(), 0.7, 15);
    return s;
}

// Many pieces fell, or the screen is done: a brass arpeggio up to a chord.
Signal great2()
{
    Signal s(1.15);
    const double run[] = {67, 72, 76, 79};
    for (int i = 0; i < 4; ++i) {
        note(s, 0.09 * i, 0.07, hz(run[i]), brass(), 0.35);
        note(s, 0.09 * i, 0.05, hz(run[i] + 12), mallet(), 0.25);
    }
    for (double m : {76.0, 79.0, 84.0})
        note(s, 0.38, 0.6, hz(m), brass(), 0.3);
    note(s, 0.38, 0.3, hz(96), bell(), 0.15);
    return s;
}

// The dynamite: a crack, a closing roar of noise and a low rumble, 1 s.
Signal boom()
{
    Signal s(1.0);
    noise(s, 0.0, 0.06, Biquad::Kind::LowPass, constant(8000), 0.7, percussive(0.0005, 0.015, 0.06, 0.9),
          0xB00Bu);
    noise(s, 0.0, 1.0, Biquad::Kind::LowPass, [](double t) { return expGlide(3000, 150, t / 0.7); }, 0.8,
          percussive(0.002, 0.25, 1.0, 1.0), 0xDEADu);
    noise(s, 0.0, 1.0, Biquad::Kind::LowPass, constant(180), 1.0, percussive(0.01, 0.4, 1.0, 2.5), 0xFEEDu);
    tone(s, 0.0, 1.0, [](double t) { return expGlide(90, 35, t / 0.8); }, percussive(0.004, 0.35, 1.0, 0.6),
         {{1, 1, 0}, {2, 0.3, 0.2}});
    saturate(s, 2.5);
    return s;
}

// The board comes down a row: a heavy downward slide landing with a thud.
Signal down1()
{
    Signal s(0.55);
    auto slideLevel = [](double t) { return 0.55 * smoothStep(t / 0.01) * (1.0 - smoothStep((t - 0.24) / 0.08)); };
    tone(s, 0.0, 0.32, [](double t) { return expGlide(260, 70, t / 0.32); }, slideLevel,
         {{1, 1, 0}, {2, 0.35, 0}, {3, 0.15, 0}});
    noise(s, 0.0, 0.32, Biquad::Kind::LowPass, [](double t) { return expGlide(1500, 300, t / 0.32); }, 0.8,
          [&](double t) { return 0.5 * slideLevel(t); }, 0x51DEu);
    tone(s, 0.3, 0.25, [](double t) { return expGlide(65, 45, t / 0.15); }, percussive(0.003, 0.08, 0.25, 1.0),
         {{1, 1, 0}, {2, 0.25, 0.04}});
    noise(s, 0.3, 0.05, Biquad::Kind::LowPass, constant(400), 0.8, percussive(0.001, 0.02, 0.05, 1.2), 0x7D0Du);
    return s;
}

// Game over: a muted horn sinking by semitones, the last note sighing down.
Signal lose()
{
    Signal s(1.35);
    const double notes[] = {67, 66, 65};
    for (int i = 0; i < 3; ++i)
        note(s, 0.3 * i, 0.22, hz(notes[i]), mutedHorn(), 0.5);
    note(s, 0.9, 0.3, hz(64), mutedHorn(), 0.5, -60);
    return s;
}

// A high score: a brass call up to a held major chord over a timpani hit.
Signal win()
{
    Signal s(1.35);
    const double call[][3] = {{72, 0.0, 0.1}, {76, 0.14, 0.1}, {79, 0.28, 0.1}, {84, 0.42, 0.2}, {79, 0.7, 0.07}};
    for (const auto& c : call)
        note(s, c[1], c[2], hz(c[0]), brass(), 0.4);
    for (double m : {84.0, 88.0, 91.0})
        note(s, 0.82, 0.38, hz(m), brass(), 0.3);
    note(s, 0.82, 0.3, hz(96), bell(), 0.2);
    tone(s, 0.82, 0.5, [](double t) { return expGlide(75, 62, t / 0.3); }, percussive(0.003, 0.15, 0.5, 0.7),
         {{1, 1, 0}, {1.5, 0.3, 0.08}});
    return s;
}

bool writeWav(const fs::path& file, const std::vector<int16_t>& samples)
{
    std::vector<char> bytes;
    auto put = [&](uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    auto tag = [&](const char* t) { bytes.insert(bytes.end(), t, t + 4); };
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    tag("RIFF"); put(36 + dataBytes, 4); tag("WAVE");
    tag("fmt "); put(16, 4); put(1, 2); put(1, 2); put(kRate, 4); put(kRate * 2, 4); put(2, 2); put(16, 2);
    tag("data"); put(dataBytes, 4);
    for (int16_t v : samples)
        put(static_cast<uint16_t>(v), 2);

    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "artgen: cannot write %s\n", file.string().c_str());
        return false;
    }
    return true;
}

} // namespace

namespace artgen {

int generateSounds(const fs::path& dataDir)
{
    std::error_code ec;
    fs::create_directories(dataDir, ec);
    const struct {
        const char* name;
        Signal (*make)();
        double loudness;
    } effects[] = {
        {"wellcome.wav", wellcome, kLoud}, {"shoot.wav", shoot, kSoft},   {"rebound.wav", rebound, kSoft},
        {"sound18.wav", sound18, kLoud},   {"great1.wav", great1, kLoud}, {"great2.wav", great2, kLoud},
        {"boom.wav", boom, kLoud},         {"down1.wav", down1, kLoud},   {"lose.wav", lose, kLoud},
        {"win.wav", win, kLoud},
    };
    int failures = 0;
    for (const auto& e : effects)
        if (!writeWav(dataDir / e.name, finish(e.make(), e.loudness)))
            ++failures;
    return failures == 0 ? 0 : 1;
}

} // namespace artgen
