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

uint32_t le32(const std::string& b, size_t at)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<size_t>(i)]);
    return v;
}

// What a lenient reader lets pass: the RIFF size must match the file and
// every chunk must lie inside it. Empty when the file is sound.
std::string riffError(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::string b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0)
        return "not a RIFF WAVE file";
    if (le32(b, 4) != b.size() - 8)
        return "RIFF size does not match the file";
    for (size_t at = 12; at + 8 <= b.size(); at += 8 + le32(b, at + 4) + (le32(b, at + 4) & 1))
        if (at + 8 + le32(b, at + 4) > b.size())
            return "chunk '" + b.substr(at, 4) + "' runs past the end";
    return {};
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
        ASSERT_EQ(riffError(data / name), "");
        SDL_AudioSpec spec;
        Uint8* buffer = nullptr;
        Uint32 length = 0;
        ASSERT_NE(SDL_LoadWAV((data / name).string().c_str(), &spec, &buffer, &length), nullptr)
            << SDL_GetError();
        std::vector<int16_t> samples(length / 2);
        std::memcpy(samples.data(), buffer, samples.size() * 2);
        SDL_FreeWAV(buffer);
        ASSERT_FALSE(samples.empty());
        EXPECT_EQ(spec.format, AUDIO_S16LSB);
        EXPECT_EQ(spec.channels, 1);
        EXPECT_TRUE(spec.freq == 44100 || spec.freq == 22050) << spec.freq;
        const double seconds = static_cast<double>(samples.size()) / spec.freq;
        EXPECT_GE(seconds, range.first);
        EXPECT_LE(seconds, range.second);

        int peak = 0;
        for (int16_t v : samples)
            peak = std::max(peak, std::abs(static_cast<int>(v)));
        EXPECT_LE(dbfs(peak), -2.5) << "too hot, close to clipping";
        EXPECT_GE(dbfs(peak), -7.0) << "too quiet next to the others";
        // Starts and stops at silence: no click at either end.
        EXPECT_LT(std::abs(static_cast<int>(samples.front())), 100);
        EXPECT_LT(std::abs(static_cast<int>(samples.back())), 100);

        for (const auto& [other, earlier] : seen)
            EXPECT_NE(earlier, samples) << "same sound as " << other;
        seen[name] = samples;
    }
}
