// Temporary first cut of the sounds: short tones so the build runs end to
// end. To be replaced by the finished effects.
#include "artgen.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

void writeWav(const fs::path& file, const std::vector<int16_t>& samples, int rate)
{
    std::ofstream out(file, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    const uint32_t bytes = static_cast<uint32_t>(samples.size() * 2);
    out.write("RIFF", 4); u32(36 + bytes); out.write("WAVE", 4);
    out.write("fmt ", 4); u32(16); u16(1); u16(1); u32(rate); u32(rate * 2); u16(2); u16(16);
    out.write("data", 4); u32(bytes);
    out.write(reinterpret_cast<const char*>(samples.data()), bytes);
}

} // namespace

namespace artgen {

int generateSounds(const fs::path& dataDir)
{
    fs::create_directories(dataDir);
    const int rate = 22050;
    const char* names[] = {"wellcome.wav", "shoot.wav", "rebound.wav", "sound18.wav", "great1.wav",
                           "great2.wav", "boom.wav", "down1.wav", "lose.wav", "win.wav"};
    int k = 0;
    for (const char* name : names) {
        std::vector<int16_t> s(rate / 5);
        for (size_t i = 0; i < s.size(); ++i)
            s[i] = static_cast<int16_t>(8000 * std::sin(2 * M_PI * (300 + 50 * k) * i / rate));
        writeWav(dataDir / name, s, rate);
        ++k;
    }
    return 0;
}

} // namespace artgen
