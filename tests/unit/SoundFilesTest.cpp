// The effect sounds the build synthesised into the application folder.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Wav {
    uint16_t format = 0, channels = 0, bits = 0;
    uint32_t rate = 0;
    std::vector<int16_t> samples;
    std::string error;
    double seconds() const { return rate ? static_cast<double>(samples.size()) / rate : 0; }
};

uint32_t le(const std::string& b, size_t at, int n)
{
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<size_t>(i)]);
    return v;
}

// A strict reader: every chunk must lie inside the file and the RIFF size
// must match it.
Wav readWav(const fs::path& file)
{
    Wav w;
    std::ifstream in(file, std::ios::binary);
    const std::string b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0)
        return w.error = "not a RIFF WAVE file", w;
    if (le(b, 4, 4) != b.size() - 8)
        return w.error = "RIFF size does not match the file", w;
    bool haveFormat = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const std::string id = b.substr(at, 4);
        const uint32_t size = le(b, at + 4, 4);
        if (at + 8 + size > b.size())
            return w.error = "chunk '" + id + "' runs past the end", w;
        if (id == "fmt " && size >= 16) {
            w.format = static_cast<uint16_t>(le(b, at + 8, 2));
            w.channels = static_cast<uint16_t>(le(b, at + 10, 2));
            w.rate = le(b, at + 12, 4);
            w.bits = static_cast<uint16_t>(le(b, at + 22, 2));
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return w.error = "data before fmt", w;
            w.samples.resize(size / 2);
            std::memcpy(w.samples.data(), b.data() + at + 8, w.samples.size() * 2);
        }
        at += 8 + size + (size & 1);
    }
    if (!haveFormat || w.samples.empty())
        w.error = "no format or no samples";
    return w;
}

double dbfs(int peak) { return 20.0 * std::log10(std::max(peak, 1) / 32768.0); }

// Lengths in seconds that fit each moment of play.
const std::map<std::string, std::pair<double, double>> kEffects = {
    {"wellcome.wav", {1.5, 2.5}}, {"shoot.wav", {0.15, 0.3}}, {"rebound.wav", {0.06, 0.15}},
    {"sound18.wav", {0.3, 0.5}},  {"great1.wav", {0.35, 0.7}}, {"great2.wav", {0.8, 1.2}},
    {"boom.wav", {0.9, 1.1}},     {"down1.wav", {0.4, 0.6}},  {"lose.wav", {1.0, 1.5}},
    {"win.wav", {1.0, 1.5}},
};

} // namespace

TEST(SoundFiles, EveryEffectIsACleanMonoPcmWavOfFittingLength)
{
    const char* appDir = std::getenv("QUIBIX_TEST_APP_DIR");
    if (!appDir)
        GTEST_SKIP() << "QUIBIX_TEST_APP_DIR is not set (run through ctest)";
    const fs::path data = fs::path(appDir) / "data";

    std::map<std::string, std::vector<int16_t>> seen;
    for (const auto& [name, range] : kEffects) {
        SCOPED_TRACE(name);
        const Wav w = readWav(data / name);
        ASSERT_EQ(w.error, "");
        EXPECT_EQ(w.format, 1); // PCM
        EXPECT_EQ(w.channels, 1);
        EXPECT_EQ(w.bits, 16);
        EXPECT_TRUE(w.rate == 44100 || w.rate == 22050) << w.rate;
        EXPECT_GE(w.seconds(), range.first);
        EXPECT_LE(w.seconds(), range.second);

        int peak = 0;
        for (int16_t v : w.samples)
            peak = std::max(peak, std::abs(static_cast<int>(v)));
        EXPECT_LE(dbfs(peak), -2.5) << "too hot, close to clipping";
        EXPECT_GE(dbfs(peak), -7.0) << "too quiet next to the others";

        // Starts and stops at silence: no click at either end.
        EXPECT_LT(std::abs(static_cast<int>(w.samples.front())), 100);
        EXPECT_LT(std::abs(static_cast<int>(w.samples.back())), 100);

        // And the player's own library reads it.
        SDL_AudioSpec spec;
        Uint8* buffer = nullptr;
        Uint32 length = 0;
        EXPECT_NE(SDL_LoadWAV((data / name).string().c_str(), &spec, &buffer, &length), nullptr)
            << SDL_GetError();
        SDL_FreeWAV(buffer);

        for (const auto& [other, samples] : seen)
            EXPECT_NE(samples, w.samples) << "same sound as " << other;
        seen[name] = w.samples;
    }
}
