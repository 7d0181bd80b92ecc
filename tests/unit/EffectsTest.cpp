#include "audio/SdlEffects.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using namespace quibix;
namespace fs = std::filesystem;

namespace {

constexpr int16_t kAsync = kSoundAsync | kSoundNoDefault; // 3, as the game plays effects
constexpr int16_t kSync = kSoundNoDefault;                // 2, the explosion

void writeBytes(const fs::path& file, const std::string& b) { std::ofstream(file, std::ios::binary) << b; }

class Effects : public ::testing::Test {
protected:
    fs::path path(const char* name) const { return fs::path(dir.path().toStdString()) / name; }
    // The game's own sounds: rebound.wav is short, sound18.wav lasts 0.3 s
    // or more, wellcome.wav 1.5 s or more.
    static fs::path sound(const char* name)
    {
        return fs::path(std::getenv("QUIBIX_TEST_APP_DIR")) / "data" / name;
    }

    // The device must open under the dummy driver; elsewhere a machine
    // without sound skips.
    static bool deviceOrSkip(const SdlEffects& fx)
    {
        const char* driver = std::getenv("SDL_AUDIODRIVER");
        EXPECT_TRUE(fx.available() || !driver || std::string(driver) != "dummy");
        return fx.available();
    }

    // Adds up the waits and really waits, as the window's pause does.
    std::function<void(int)> pauser()
    {
        return [this](int ms) {
            waitedMs += ms;
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        };
    }

    QTemporaryDir dir;
    int waitedMs = 0;
};

} // namespace

TEST_F(Effects, FilesThatCannotBePlayedPlayNothingAndLeaveTheDeviceWorking)
{
    SdlEffects fx(pauser());
    if (!deviceOrSkip(fx))
        GTEST_SKIP() << "no audio device on this machine";

    writeBytes(path("empty.wav"), "");
    writeBytes(path("text.wav"), "this is not a sound at all, just some words\n");
    writeBytes(path("cut.wav"), std::string("RIFF\x24\x10\0\0WAVEfmt ", 16));
    for (const char* name : {"missing.wav", "empty.wav", "text.wav", "cut.wav"}) {
        fx.play(path(name), kSync);
        EXPECT_EQ(waitedMs, 0) << name;
        EXPECT_EQ(Mix_Playing(-1), 0) << name;
    }
    fx.play(dir.path().toStdString(), kSync); // a folder, not a file
    EXPECT_EQ(Mix_Playing(-1), 0);

    fx.play(sound("rebound.wav"), kSync);
    EXPECT_GT(waitedMs, 0);
}

TEST_F(Effects, AsynchronousEffectsCutOffTheOnePlayingSynchronousOnesWaitTillTheEnd)
{
    SdlEffects fx(pauser());
    if (!deviceOrSkip(fx))
        GTEST_SKIP() << "no audio device on this machine";

    fx.play(sound("wellcome.wav"), kAsync);
    EXPECT_EQ(waitedMs, 0);
    EXPECT_EQ(Mix_Playing(-1), 1);
    fx.play(sound("wellcome.wav"), kAsync);
    EXPECT_EQ(Mix_Playing(-1), 1) << "effects must not pile up";

    // A synchronous effect replaces the long one too and waits through the
    // window (repaints keep flowing) until it has been heard: then nothing
    // sounds any more, long before the welcome would have ended.
    // Timed by the clock, not by adding up the waits asked for: on a busy
    // machine each wait lasts longer than asked, so fewer are needed.
    const auto start = std::chrono::steady_clock::now();
    fx.play(sound("sound18.wav"), kSync);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(Effects, WithoutAnAudioDeviceTheGameIsSilentAndSaysSoOnce)
{
    const char* old = std::getenv("SDL_AUDIODRIVER");
    const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    {
        ::testing::internal::CaptureStderr();
        SdlEffects fx(pauser());
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_FALSE(fx.available());
        EXPECT_NE(said.find("no audio device"), std::string::npos) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;

        fx.play(sound("sound18.wav"), kSync);
        fx.play(sound("sound18.wav"), kAsync);
        fx.play(path("missing.wav"), kSync);
        EXPECT_EQ(waitedMs, 0); // no sound, so the explosion holds nothing up
    }
    if (saved)
        setenv("SDL_AUDIODRIVER", saved->c_str(), 1);
    else
        unsetenv("SDL_AUDIODRIVER");

    // A failed attempt leaves SDL in a state where the device opens again.
    SdlEffects fx(pauser());
    if (deviceOrSkip(fx)) {
        fx.play(sound("rebound.wav"), kSync);
        EXPECT_GT(waitedMs, 0);
    }
}
