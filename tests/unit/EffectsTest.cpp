#include "audio/SdlEffects.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

using namespace quibix;
namespace fs = std::filesystem;

namespace {

constexpr int16_t kAsync = kSoundAsync | kSoundNoDefault; // as the game plays effects
constexpr int16_t kSync = kSoundNoDefault;                // the explosion

class Effects : public ::testing::Test {
protected:
    fs::path path(const char* name) const { return fs::path(dir.path().toStdString()) / name; }
    // rebound.wav is short, sound18.wav lasts 0.3 s or more, wellcome.wav 1.5 s.
    static fs::path sound(const char* name)
    {
        return fs::path(std::getenv("QUIBIX_TEST_APP_DIR")) / "data" / name;
    }
    // Opens under the dummy driver; elsewhere a machine without sound skips.
    SdlEffects& device()
    {
        fx.emplace([this](int ms) {
            waitedMs += ms;
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        });
        const char* driver = std::getenv("SDL_AUDIODRIVER");
        EXPECT_TRUE(fx->available() || !driver || std::string(driver) != "dummy");
        return *fx;
    }

    QTemporaryDir dir;
    int waitedMs = 0;
    std::optional<SdlEffects> fx;
};

} // namespace

TEST_F(Effects, UnplayableFilesPlayNothingAsynchronousEffectsCutOffSynchronousOnesWait)
{
    if (!device().available())
        GTEST_SKIP() << "no audio device on this machine";
    std::ofstream(path("empty.wav"));
    std::ofstream(path("cut.wav"), std::ios::binary) << std::string("RIFF\x24\x10\0\0WAVEfmt ", 16);
    for (const char* name : {"missing.wav", "empty.wav", "cut.wav", ""}) { // "": the folder
        fx->play(path(name), kSync);
        EXPECT_EQ(waitedMs, 0) << name;
        EXPECT_EQ(Mix_Playing(-1), 0) << name;
    }

    // Asynchronous effects cut off the one playing, synchronous ones wait.
    fx->play(sound("wellcome.wav"), kAsync);
    EXPECT_EQ(waitedMs, 0);
    EXPECT_EQ(Mix_Playing(-1), 1);
    fx->play(sound("wellcome.wav"), kAsync);
    EXPECT_EQ(Mix_Playing(-1), 1) << "effects must not pile up";

    // A synchronous one replaces it and waits until heard, timed by the clock.
    const auto start = std::chrono::steady_clock::now();
    fx->play(sound("sound18.wav"), kSync);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(Effects, WithoutAnAudioDeviceTheGameIsSilentAndWaitsForNothing)
{
    const char* old = std::getenv("SDL_AUDIODRIVER");
    const std::string saved = old ? old : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SdlEffects& silent = device();
    EXPECT_FALSE(silent.available());
    silent.play(sound("sound18.wav"), kSync);
    silent.play(sound("sound18.wav"), kAsync);
    silent.play(path("missing.wav"), kSync);
    EXPECT_EQ(waitedMs, 0); // no sound, so the explosion holds nothing up
    fx.reset();

    // A failed attempt leaves SDL in a state where the device opens again.
    if (old)
        setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    else
        unsetenv("SDL_AUDIODRIVER");
    if (device().available()) {
        fx->play(sound("rebound.wav"), kSync);
        EXPECT_GT(waitedMs, 0);
    }
}
