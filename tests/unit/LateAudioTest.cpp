// The audio that arrives after the window shows: calls kept in order until
// it does, the music device's mode meanwhile, and nothing waiting for it.
#include "app/LateAudio.h"

#include "fakes/FakePorts.h"

#include <gtest/gtest.h>

#include <future>

using namespace quibix;
using namespace quibix::testing;

namespace {

using Log = std::vector<std::string>;

struct LateAudioTest : ::testing::Test {
    EventLog log;
    FakeEffects* effects = nullptr; // owned by `late` once arrived
    FakeMusic* music = nullptr;
    LateAudio late;

    AudioPorts fakes()
    {
        auto e = std::make_unique<FakeEffects>(log);
        auto m = std::make_unique<FakeMusic>(log);
        effects = e.get();
        music = m.get();
        return {std::move(e), std::move(m)};
    }
};

TEST_F(LateAudioTest, CallsBeforeTheArrivalAreCarriedOutInOrderThenGoStraightThrough)
{
    late.effects().play("wellcome.wav", kSoundAsync);
    late.music().setFileName("a.mid");
    late.music().command("open");
    late.effects().play("boom.wav", 0); // would hold the game: nobody waits for a kept one
    late.music().command("play");
    EXPECT_TRUE(log.events.empty());

    late.arrive(fakes());
    EXPECT_TRUE(late.arrived());
    EXPECT_EQ(log.events, (Log{"sound wellcome.wav", "music open", "sound boom.wav", "music play"}));
    EXPECT_EQ(music->fileName, "a.mid");

    log.clear();
    late.effects().play("boom.wav", 0);
    late.music().command("stop");
    EXPECT_EQ(log.events, (Log{"sound boom.wav sync", "music stop"}));
}

TEST_F(LateAudioTest, CallsMadeWhileTheKeptOnesAreCarriedOutFollowThem)
{
    // The game's thread adds a call while the first kept one is carried
    // out: it comes after every kept one, not in between.
    late.effects().play("first.wav", kSoundAsync);
    late.effects().play("second.wav", kSoundAsync);
    class Reentrant final : public EffectsPort {
    public:
        Reentrant(LateAudio& late, FakeEffects& inner) : late_(late), inner_(inner) {}
        void play(const std::filesystem::path& file, int16_t flags) override
        {
            inner_.play(file, flags);
            if (file == "first.wav")
                late_.effects().play("during.wav", kSoundAsync);
        }
    private:
        LateAudio& late_;
        FakeEffects& inner_;
    };
    FakeEffects recorded(log);
    AudioPorts ports = fakes();
    ports.effects = std::make_unique<Reentrant>(late, recorded);
    late.arrive(std::move(ports));
    EXPECT_EQ(log.events, (Log{"sound first.wav", "sound second.wav", "sound during.wav"}));
}

TEST_F(LateAudioTest, TheModeFollowsTheCommandsUntilTheDeviceAnswersItself)
{
    MusicDevicePort& m = late.music();
    m.command("open"); // no file named yet
    EXPECT_EQ(m.mode(), kMusicNotOpen);
    m.command("play");
    EXPECT_EQ(m.mode(), kMusicNotOpen);
    m.setFileName("a.mid");
    const std::pair<const char*, int> steps[] = {
        {"open", kMusicStopped}, {"play", kMusicPlaying}, {"stop", kMusicStopped},
        {"play", kMusicPlaying}, {"open", kMusicPlaying}, {"close", kMusicNotOpen},
    };
    for (const auto& [command, mode] : steps) {
        m.command(command);
        EXPECT_EQ(m.mode(), mode) << command;
    }
    m.command("open");
    m.command("play");
    late.arrive(fakes());
    music->modeValue = kMusicNotOpen; // the real device refused the file
    EXPECT_EQ(m.mode(), kMusicNotOpen);
}

TEST_F(LateAudioTest, NothingWaitsForTheAudioToArrive)
{
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    late.arriveFrom([this, released] {
        released.wait();
        return fakes();
    });
    // Each of these would hang the test if it waited for the arrival.
    late.effects().play("boom.wav", 0);
    late.music().setFileName("a.mid");
    late.music().command("open");
    late.music().command("play");
    EXPECT_EQ(late.music().mode(), kMusicPlaying);
    EXPECT_FALSE(late.arrived());
    EXPECT_TRUE(log.events.empty());
    release.set_value();
}

} // namespace
