#include "audio/SdlEffects.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
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

void writeBytes(const fs::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A quiet 440 Hz tone, 16-bit mono PCM.
void writeTone(const fs::path& file, double seconds)
{
    const int rate = 22050;
    const auto n = static_cast<uint32_t>(seconds * rate);
    std::string b;
    auto put = [&](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    b += "RIFF"; put(36 + 2 * n, 4); b += "WAVEfmt "; put(16, 4); put(1, 2); put(1, 2);
    put(rate, 4); put(2 * rate, 4); put(2, 2); put(16, 2); b += "data"; put(2 * n, 4);
    for (uint32_t i = 0; i < n; ++i)
        put(static_cast<uint16_t>(static_cast<int16_t>(3000 * std::sin(2 * M_PI * 440 * i / rate))), 2);
    writeBytes(file, b);
}

// Counts the waits and really waits, as the window's pause does.
struct WaitRecorder {
    int calls = 0;
    std::function<void(int)> callback()
    {
        return [this](int ms) {
            ++calls;
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        };
    }
};

class Effects : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        writeTone(path("short.wav"), 0.05);
        writeTone(path("medium.wav"), 0.3);
        writeTone(path("long.wav"), 10.0);
    }
    fs::path path(const char* name) const { return fs::path(dir.path().toStdString()) / name; }

    // The device must open under the dummy driver; elsewhere a machine
    // without sound skips.
    static bool deviceOrSkip(const SdlEffects& fx)
    {
        const char* driver = std::getenv("SDL_AUDIODRIVER");
        EXPECT_TRUE(fx.available() || !driver || std::string(driver) != "dummy");
        return fx.available();
    }

    QTemporaryDir dir;
    WaitRecorder waits;
};

} // namespace

TEST_F(Effects, FilesThatCannotBePlayedPlayNothingAndLeaveTheDeviceWorking)
{
    SdlEffects fx(waits.callback());
    if (!deviceOrSkip(fx))
        GTEST_SKIP() << "no audio device on this machine";

    writeBytes(path("empty.wav"), "");
    writeBytes(path("text.wav"), "this is not a sound at all, just some words\n");
    writeBytes(path("cut.wav"), std::string("RIFF\x24\x10\0\0WAVEfmt ", 16));
    for (const char* name : {"missing.wav", "empty.wav", "text.wav", "cut.wav"}) {
        fx.play(path(name), kSync);
        EXPECT_EQ(waits.calls, 0) << name;
        EXPECT_EQ(Mix_Playing(-1), 0) << name;
    }
    fx.play(dir.path().toStdString(), kSync); // a folder, not a file
    EXPECT_EQ(Mix_Playing(-1), 0);

    fx.play(path("short.wav"), kSync);
    EXPECT_GT(waits.calls, 0);
}

TEST_F(Effects, AsynchronousEffectsReturnAtOnceAndCutOffTheOnePlaying)
{
    SdlEffects fx(waits.callback());
    if (!deviceOrSkip(fx))
        GTEST_SKIP() << "no audio device on this machine";

    fx.play(path("long.wav"), kAsync);
    EXPECT_EQ(waits.calls, 0);
    EXPECT_EQ(Mix_Playing(-1), 1);

    fx.play(path("long.wav"), kAsync);
    EXPECT_EQ(Mix_Playing(-1), 1) << "effects must not pile up";

    // A short synchronous effect replaces the long one too: once it has been
    // heard, nothing sounds any more, long before the ten seconds are over.
    fx.play(path("short.wav"), kSync);
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(Effects, SynchronousEffectWaitsThroughTheWindowUntilItHasFinished)
{
    SdlEffects fx(waits.callback());
    if (!deviceOrSkip(fx))
        GTEST_SKIP() << "no audio device on this machine";

    fx.play(path("medium.wav"), kSync);
    EXPECT_GT(waits.calls, 0); // repaints kept flowing while it played
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(Effects, WithoutAnAudioDeviceTheGameIsSilentAndSaysSoOnce)
{
    const char* old = std::getenv("SDL_AUDIODRIVER");
    const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    {
        ::testing::internal::CaptureStderr();
        SdlEffects fx(waits.callback());
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_FALSE(fx.available());
        EXPECT_NE(said.find("no audio device"), std::string::npos) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;

        fx.play(path("medium.wav"), kSync);
        fx.play(path("medium.wav"), kAsync);
        fx.play(path("missing.wav"), kSync);
        EXPECT_EQ(waits.calls, 0); // no sound, so the explosion holds nothing up
    }
    if (saved)
        setenv("SDL_AUDIODRIVER", saved->c_str(), 1);
    else
        unsetenv("SDL_AUDIODRIVER");

    // A failed attempt leaves SDL in a state where the device opens again.
    SdlEffects fx(waits.callback());
    if (deviceOrSkip(fx)) {
        fx.play(path("short.wav"), kSync);
        EXPECT_GT(waits.calls, 0);
    }
}
