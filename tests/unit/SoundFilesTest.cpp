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

// What a lenient reader lets pass: the RIFF size must match the file and
// every chunk must lie inside it. Empty when the file is sound.
std::string riffError(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::string b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto le32 = [&b](size_t at) {
        uint32_t v = 0;
        std::memcpy(&v, b.data() + at, 4); // little-endian, as the machines we build on
        return v;
    };
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0)
        return "not a RIFF WAVE file";
    if (le32(4) != b.size() - 8)
        return "RIFF size does not match the file";
    for (size_t at = 12; at + 8 <= b.size(); at += 8 + le32(at + 4) + (le32(at + 4) & 1))
        if (at + 8 + le32(at + 4) > b.size())
            return "chunk '" + b.substr(at, 4) + "' runs past the end";
    return {};
}

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

        // Peaks between -7 and -2.5 dBFS: clear of clipping, level with the others.
        const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
        const double peakDb = 20.0 * std::log10(std::max(-int(*low), int(*high)) / 32768.0);
        EXPECT_TRUE(peakDb >= -7.0 && peakDb <= -2.5) << peakDb << " dBFS";
        // Starts and stops at silence: no click at either end.
        EXPECT_LT(std::abs(samples.front()), 100);
        EXPECT_LT(std::abs(samples.back()), 100);

        for (const auto& [other, earlier] : seen)
            EXPECT_NE(earlier, samples) << "same sound as " << other;
        seen[name] = samples;
    }
}
