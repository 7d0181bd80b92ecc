// The sounds and music the build made for the application folder.
#include "audio/MidiCheck.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

TEST(SoundFiles, EveryEffectIsAudibleWithoutClicksAndEveryPieceParses)
{
    const char* appDir = std::getenv("QUIBIX_TEST_APP_DIR");
    if (!appDir)
        GTEST_SKIP() << "QUIBIX_TEST_APP_DIR is not set (run through ctest)";
    const fs::path data = fs::path(appDir) / "data";

    for (const char* name : {"wellcome.wav", "shoot.wav", "rebound.wav", "sound18.wav", "great1.wav", "great2.wav",
                             "boom.wav", "down1.wav", "lose.wav", "win.wav", "clockwork.mid", "marbles.mid",
                             "lanterns.mid", "bluefuse.mid"}) {
        SCOPED_TRACE(name);
        const fs::path file = data / name;
        if (file.extension() == ".mid") {
            std::string why;
            EXPECT_TRUE(quibix::checkMidiFile(file, why)) << why;
            continue;
        }
        SDL_AudioSpec spec;
        Uint8* buffer = nullptr;
        Uint32 length = 0;
        ASSERT_NE(SDL_LoadWAV(file.string().c_str(), &spec, &buffer, &length), nullptr) << SDL_GetError();
        std::vector<int16_t> samples(length / 2);
        std::memcpy(samples.data(), buffer, samples.size() * 2);
        SDL_FreeWAV(buffer);
        ASSERT_EQ(spec.format, AUDIO_S16LSB);
        ASSERT_FALSE(samples.empty());

        int peak = 0;
        for (int16_t s : samples)
            peak = std::max(peak, std::abs(int(s)));
        EXPECT_GT(peak, 8000) << "too quiet to hear";
        EXPECT_LT(std::abs(samples.front()), 100) << "click at the start";
        EXPECT_LT(std::abs(samples.back()), 100) << "click at the end";
    }
}
