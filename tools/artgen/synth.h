#pragma once
// A small additive/subtractive synthesiser for the effect sounds: a mono
// float signal, tones with partials and envelopes, filtered noise, and the
// final clean-up to 16-bit. Everything is deterministic: noise comes from a
// fixed-seed generator, never from the clock.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace artgen::synth {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

inline int toSamples(double seconds) { return static_cast<int>(std::lround(seconds * kRate)); }

// Frequency of a MIDI note number (69 = A4 = 440 Hz).
inline double hz(double midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0); }

// 0 -> 1 along half a cosine: a ramp without corners, so no clicks.
inline double smoothStep(double x)
{
    x = std::clamp(x, 0.0, 1.0);
    return 0.5 - 0.5 * std::cos(kPi * x);
}

// Exponential glide from a to b as x goes 0 -> 1.
inline double expGlide(double a, double b, double x)
{
    return a * std::pow(b / a, std::clamp(x, 0.0, 1.0));
}

struct Signal {
    std::vector<double> s;
    explicit Signal(double seconds) : s(static_cast<size_t>(toSamples(seconds)), 0.0) {}
    int size() const { return static_cast<int>(s.size()); }
    void add(int i, double v)
    {
        if (i >= 0 && i < size())
            s[static_cast<size_t>(i)] += v;
    }
};

// xorshift32 with a fixed seed per sound: the same noise every build.
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    double next() // uniform in [-1, 1)
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 2147483648.0 - 1.0;
    }
    double uniform(double lo, double hi) { return lo + (hi - lo) * 0.5 * (next() + 1.0); }

private:
    uint32_t state_;
};

// Second-order filter (the usual cookbook forms); coefficients may change
// every sample for sweeps.
class Biquad {
public:
    enum class Kind { LowPass, HighPass, BandPass };
    explicit Biquad(Kind kind) : kind_(kind) {}
    void set(double cutoff, double q)
    {
        cutoff = std::clamp(cutoff, 10.0, 0.45 * kRate);
        const double w = kTwoPi * cutoff / kRate;
        const double alpha = std::sin(w) / (2.0 * q);
        const double c = std::cos(w);
        double b0, b1, b2;
        switch (kind_) {
        case Kind::LowPass: b0 = (1 - c) / 2; b1 = 1 - c; b2 = (1 - c) / 2; break;
        case Kind::HighPass: b0 = (1 + c) / 2; b1 = -(1 + c); b2 = (1 + c) / 2; break;
        default: b0 = alpha; b1 = 0; b2 = -alpha; break;
        }
        const double a0 = 1 + alpha;
        b0_ = b0 / a0; b1_ = b1 / a0; b2_ = b2 / a0;
        a1_ = -2 * c / a0; a2_ = (1 - alpha) / a0;
    }
    double process(double x)
    {
        const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_; x1_ = x; y2_ = y1_; y1_ = y;
        return y;
    }

private:
    Kind kind_;
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// One partial of a timbre: frequency ratio to the note, level, and the
// time constant of its own decay (0 = held as long as the note).
struct Partial {
    double ratio;
    double level;
    double decay;
};

struct Timbre {
    std::vector<Partial> partials;
    double attack = 0.004;   // seconds
    double release = 0.05;   // after the note's length
    double vibratoDepth = 0; // fraction of the frequency
    double vibratoRate = 5.5;
    double vibratoDelay = 0.1;
};

// A time-varying function of the time since the start of a sound part.
using Curve = std::function<double(double t)>;

// A tone whose frequency and level follow curves; `partials` are harmonic
// or not. The level curve must itself start and end at 0.
inline void tone(Signal& out, double start, double length, const Curve& freq, const Curve& level,
                 const std::vector<Partial>& partials)
{
    const int first = toSamples(start);
    const int n = toSamples(length);
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double f = freq(t);
        double v = 0;
        for (const Partial& p : partials) {
            if (f * p.ratio >= 12000.0)
                continue; // only hiss up there, and near the top it would alias
            const double decay = p.decay > 0 ? std::exp(-t / p.decay) : 1.0;
            v += p.level * decay * std::sin(p.ratio * phase);
        }
        out.add(first + i, v * level(t));
        phase += kTwoPi * f / kRate;
        if (phase > 1e6)
            phase = std::fmod(phase, kTwoPi * 1024); // keeps precision; ratios stay in step
    }
}

// A note of a timbre: smooth attack, held for `length`, smooth release.
inline void note(Signal& out, double start, double length, double freq, const Timbre& timbre,
                 double gain, double bendCents = 0)
{
    const double total = length + timbre.release;
    auto f = [&](double t) {
        double v = 1.0;
        if (timbre.vibratoDepth > 0 && t > timbre.vibratoDelay)
            v += timbre.vibratoDepth * smoothStep((t - timbre.vibratoDelay) / 0.15)
                 * std::sin(kTwoPi * timbre.vibratoRate * (t - timbre.vibratoDelay));
        // An optional bend over the note's length (a sigh down, a lift up).
        const double bend = std::pow(2.0, bendCents * smoothStep(t / total) / 1200.0);
        return freq * v * bend;
    };
    auto level = [&](double t) {
        double e = smoothStep(t / timbre.attack);
        if (t > length)
            e *= 1.0 - smoothStep((t - length) / timbre.release);
        return gain * e;
    };
    tone(out, start, total, f, level, timbre.partials);
}

// Noise through a swept filter, shaped by `level` (which must start and
// end at 0). `cutoff` and `q` are curves of time.
inline void noise(Signal& out, double start, double length, Biquad::Kind kind, const Curve& cutoff,
                  double q, const Curve& level, uint32_t seed)
{
    Noise rng(seed);
    Biquad filter(kind);
    const int first = toSamples(start);
    const int n = toSamples(length);
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        filter.set(cutoff(t), q);
        out.add(first + i, filter.process(rng.next()) * level(t));
    }
}

// Attack then exponential decay, closed smoothly at `length`.
inline Curve percussive(double attack, double decay, double length, double gain = 1.0)
{
    return [=](double t) {
        const double closing = 1.0 - smoothStep((t - (length - 0.3 * length)) / (0.3 * length));
        return gain * smoothStep(t / attack) * std::exp(-t / decay) * closing;
    };
}

// Loudness as the ear hears it, roughly: the signal weighted towards the
// presence range (high shelf +4 dB above ~1.7 kHz, nothing below ~40 Hz),
// then the loudest 400 ms window's mean square, in dB.
inline double loudnessDb(const std::vector<double>& s)
{
    // High shelf, cookbook form with slope 1.
    const double A = std::pow(10.0, 4.0 / 40.0);
    const double w = kTwoPi * 1681.0 / kRate;
    const double c = std::cos(w), alpha = std::sin(w) / 2.0 * std::sqrt(2.0), sa = 2 * std::sqrt(A) * alpha;
    const double a0 = (A + 1) - (A - 1) * c + sa;
    const double b0 = A * ((A + 1) + (A - 1) * c + sa) / a0, b1 = -2 * A * ((A - 1) + (A + 1) * c) / a0,
                 b2 = A * ((A + 1) + (A - 1) * c - sa) / a0;
    const double a1 = 2 * ((A - 1) - (A + 1) * c) / a0, a2 = ((A + 1) - (A - 1) * c - sa) / a0;
    Biquad low(Biquad::Kind::HighPass);
    low.set(38.0, 0.5);
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    std::vector<double> k(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const double y = b0 * s[i] + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1; x1 = s[i]; y2 = y1; y1 = y;
        k[i] = low.process(y);
    }
    const size_t window = std::min(k.size(), static_cast<size_t>(toSamples(0.4)));
    if (window == 0)
        return -200.0;
    double sum = 0, best = 0;
    for (size_t i = 0; i < k.size(); ++i) {
        sum += k[i] * k[i];
        if (i >= window)
            sum -= k[i - window] * k[i - window];
        best = std::max(best, sum);
    }
    return 10.0 * std::log10(std::max(best / static_cast<double>(window), 1e-20));
}

// Cleans up and converts: DC removed, edges faded so the sound starts and
// stops at silence, scaled to `targetDb` of loudness, but with its peak kept
// between -6 and -3 dBFS (never clipped, never lost under the music).
inline std::vector<int16_t> finish(Signal sig, double targetDb)
{
    // DC blocker (first-order high-pass near 15 Hz): deep rumbles must not
    // leave the waveform sitting off centre.
    const double r = 1.0 - kTwoPi * 15.0 / kRate;
    double x1 = 0, y1 = 0;
    for (double& v : sig.s) {
        const double y = v - x1 + r * y1;
        x1 = v;
        y1 = y;
        v = y;
    }
    const int n = sig.size();
    const int fadeIn = std::min(n / 2, toSamples(0.001));
    const int fadeOut = std::min(n / 2, toSamples(0.008));
    for (int i = 0; i < fadeIn; ++i)
        sig.s[static_cast<size_t>(i)] *= smoothStep(static_cast<double>(i) / fadeIn);
    for (int i = 0; i < fadeOut; ++i)
        sig.s[static_cast<size_t>(n - 1 - i)] *= smoothStep(static_cast<double>(i) / fadeOut);

    double peak = 0;
    for (double v : sig.s)
        peak = std::max(peak, std::abs(v));
    std::vector<int16_t> pcm(sig.s.size());
    if (peak <= 0)
        return pcm;
    const double peakDb = 20.0 * std::log10(peak);
    const double gainDb = std::clamp(targetDb - loudnessDb(sig.s), -6.0 - peakDb, -3.0 - peakDb);
    const double gain = std::pow(10.0, gainDb / 20.0) * 32767.0;
    for (size_t i = 0; i < pcm.size(); ++i)
        pcm[i] = static_cast<int16_t>(std::lround(std::clamp(sig.s[i] * gain, -32767.0, 32767.0)));
    return pcm;
}

// Gentle tanh saturation: rounds off the highest peaks of a dense sound
// (an explosion) so it can be as loud as the others without clipping.
inline void saturate(Signal& sig, double drive)
{
    double peak = 0;
    for (double v : sig.s)
        peak = std::max(peak, std::abs(v));
    if (peak <= 0)
        return;
    for (double& v : sig.s)
        v = std::tanh(drive * v / peak) / std::tanh(drive);
}

} // namespace artgen::synth
