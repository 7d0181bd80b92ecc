// The real audio: the sounds and music the build made, the check of MIDI
// files, the sound font search, and effects and music through SDL_mixer
// (dummy audio driver) with their failures.
#include "audio/MidiCheck.h"
#include "audio/MidiSynth.h"
#include "audio/SdlMixer.h"
#include "audio/SdlEffects.h"
#include "audio/SdlMusic.h"
#include "audio/SoundFont.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using namespace quibix;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes operator+(Bytes a, const Bytes& b) { a.insert(a.end(), b.begin(), b.end()); return a; }

Bytes header(uint8_t format, uint8_t tracks) { return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, format, 0, tracks, 1, 0xE0}; }
Bytes track(const Bytes& events) { return Bytes{'M', 'T', 'r', 'k', 0, 0, 0, uint8_t(events.size())} + events; }
const Bytes kEnd{0x00, 0xFF, 0x2F, 0x00};
// A note on and off, the off by running status.
const Bytes kNote{0x00, 0x90, 60, 100, 0x83, 0x60, 60, 0};

void write(const fs::path& file, const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }
// A file with a sound font's header and as long as it says (all the search
// looks at).
void writeFont(const fs::path& file) { write(file, std::string("RIFF\x08\0\0\0sfbkLIST", 16)); }

// rebound.wav is short, sound18.wav lasts 0.3 s or more, wellcome.wav 1.5 s.
fs::path built(const char* name) { return fs::path(std::getenv("QUIBIX_TEST_APP_DIR")) / "data" / name; }

TEST(SoundFiles, EveryEffectIsAudibleWithoutClicksAndEveryPieceParses)
{
    for (const char* name : {"wellcome.wav", "shoot.wav", "rebound.wav", "sound18.wav", "great1.wav", "great2.wav",
                             "boom.wav", "down1.wav", "lose.wav", "win.wav", "clockwork.mid", "marbles.mid",
                             "lanterns.mid", "bluefuse.mid"}) {
        SCOPED_TRACE(name);
        const fs::path file = built(name);
        if (file.extension() == ".mid") {
            std::string why;
            EXPECT_TRUE(readMidiFile(file, why)) << why;
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

        const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
        EXPECT_GT(std::max(-int(*low), int(*high)), 8000) << "too quiet to hear";
        EXPECT_LT(std::abs(samples.front()), 100) << "click at the start";
        EXPECT_LT(std::abs(samples.back()), 100) << "click at the end";
    }
}

TEST(MidiCheck, TellsWellFormedFilesFromDamagedOnes)
{
    struct Case { const char* what; Bytes bytes; bool good; };
    const Case cases[] = {
        {"one track", header(0, 1) + track(kNote + kEnd), true},
        {"empty", {}, false},
        {"text", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!', '!'}, false},
        {"header only", header(1, 1), false},
        {"a track missing", header(1, 2) + track(kEnd), false},
        {"format 0 with two tracks", header(0, 2) + track(kEnd) + track(kEnd), false},
        {"track cut short", header(0, 1) + Bytes{'M', 'T', 'r', 'k', 0, 0, 0, 40} + kNote + kEnd, false},
        {"no end of track", header(0, 1) + track(kNote), false},
        {"data before any status", header(0, 1) + track(Bytes{0x00, 60, 100} + kEnd), false},
        {"value out of range", header(0, 1) + track(Bytes{0x00, 0x90, 60, 0xC8} + kEnd), false},
    };
    for (const Case& c : cases) {
        std::string why;
        EXPECT_EQ(checkMidi(c.bytes, why), c.good) << c.what;
        EXPECT_EQ(why.empty(), c.good) << c.what << ": " << why;
    }
}

TEST(SoundFontSearch, TakesSdlSoundFontsFirstThenTheKnownFontsThenAnyFont)
{
    QTemporaryDir tmp;
    const fs::path root = tmp.path().toStdString();
    const fs::path a = root / "a", b = root / "b", c = root / "c", empty = root / "empty";
    for (const fs::path& d : {a, b, c, empty})
        fs::create_directories(d);
    writeFont(a / "mine.sf2");
    write(a / "broken.sf2", "not a font");
    writeFont(b / "zz.sf2");
    writeFont(b / "TimGM6mb.sf2");
    write(c / "default-GM.sf2", "a dangling choice"); // not a font: passed over
    write(c / "a.sf2", std::string("RIFF\x09\0\0\0sfbkLIST", 16)); // one byte cut off: passed over
    writeFont(c / "other.SF3");
    writeFont(c / "b.sf2");
    const std::string nowhere = (empty / "none.sf2").string();

    struct Case { std::string sdl, folders; fs::path found; };
    const Case cases[] = {
        {(a / "mine.sf2").string(), b.string(), a / "mine.sf2"},
        {nowhere + ";" + (a / "broken.sf2").string() + ";" + (a / "mine.sf2").string(), "", a / "mine.sf2"},
        {nowhere, empty.string() + ":" + b.string(), b / "TimGM6mb.sf2"},
        {"", c.string(), c / "b.sf2"},
        {"", (empty / "missing").string() + ":" + c.string() + ":" + b.string(), c / "b.sf2"},
    };
    for (const Case& k : cases) {
        std::string why;
        const auto found = findSoundFont({k.sdl, k.folders}, why);
        ASSERT_TRUE(found) << k.sdl << " | " << k.folders << ": " << why;
        EXPECT_EQ(*found, k.found) << k.sdl << " | " << k.folders;
    }

    std::string why;
    EXPECT_FALSE(findSoundFont({nowhere, empty.string()}, why));
    EXPECT_NE(why.find(nowhere), std::string::npos) << why;
    EXPECT_NE(why.find(empty.string()), std::string::npos) << why;
}

// Needs a General MIDI font; without one the window test music.sh covers it.
TEST(MusicDevice, PlaysStopsAndClosesAndSkipsDamagedFilesWithOneLineEach)
{
    std::string why;
    if (!findSoundFont(SoundFontSearch{}, why))
        GTEST_SKIP() << why;
    QTemporaryDir tmp;
    auto file = [&tmp](const char* name) { return fs::path(tmp.path().toStdString()) / name; };
    const Bytes cut = header(0, 1) + Bytes{'M', 'T', 'r', 'k', 0, 0, 0, 40} + kNote;
    write(file("cut.mid"), std::string(cut.begin(), cut.end()));

    ::testing::internal::CaptureStderr();
    {
        SdlMusic music(SoundFontSearch{});
        auto openAndPlay = [&music](const fs::path& f, int modeWhenOpen = kMusicStopped) {
            music.setFileName(f);
            music.command("open");
            EXPECT_EQ(music.mode(), modeWhenOpen) << f;
            music.command("play");
        };
        openAndPlay(built("lanterns.mid"));
        ASSERT_TRUE(music.available());
        EXPECT_EQ(music.mode(), kMusicPlaying); // busy loading, then playing
        music.waitUntilReady();
        EXPECT_EQ(music.mode(), kMusicPlaying);
        {
            // Effects share the mixer and never cut the music off.
            SdlEffects effects(nullptr); // waits by sleeping
            effects.play(built("rebound.wav"), kSoundNoDefault);
            effects.play(built("shoot.wav"), kSoundAsync | kSoundNoDefault);
        }
        music.command("open"); // the same file again changes nothing
        EXPECT_EQ(music.mode(), kMusicPlaying);
        for (const auto& [command, mode] : {std::pair("stop", kMusicStopped), std::pair("play", kMusicPlaying),
                                            std::pair("close", kMusicNotOpen)}) {
            music.command(command);
            EXPECT_EQ(music.mode(), mode) << command;
        }

        for (const char* bad : {"cut.mid", "missing.mid", "cut.mid"}) {
            openAndPlay(file(bad), kMusicNotOpen);
            EXPECT_EQ(music.mode(), kMusicNotOpen) << bad;
        }
        openAndPlay(built("clockwork.mid")); // a good file after them plays again
        EXPECT_EQ(music.mode(), kMusicPlaying);
    }
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << said; // one line per file, not per try
    EXPECT_NE(said.find("cut.mid is damaged ("), std::string::npos) << said;
    EXPECT_NE(said.find("missing.mid cannot be read; it is skipped"), std::string::npos) << said;
}

// The synthesiser as the audio thread drives it: a piece sounds from its
// first buffer, stops dead, and starts over; a font that only looks like
// one is refused with the synthesiser's reason.
TEST(MidiSynth, RendersAPieceStopsItDeadAndRefusesADamagedFont)
{
    std::string why;
    const auto font = findSoundFont(SoundFontSearch{}, why);
    if (!font)
        GTEST_SKIP() << why;
    const std::shared_ptr<SdlMixer> mixer = SdlMixer::acquire();
    ASSERT_TRUE(mixer->use());
    std::string error;
    const std::unique_ptr<MidiSynth> synth = MidiSynth::make(*font, error);
    ASSERT_TRUE(synth) << error;

    std::vector<int16_t> buffer(2048 * 2);
    // The loudest sample of the next buffer, on the left and right channel.
    auto peaks = [&] {
        MidiSynth::render(synth.get(), reinterpret_cast<uint8_t*>(buffer.data()), int(buffer.size() * 2));
        std::pair<int, int> most{0, 0};
        for (std::size_t i = 0; i < buffer.size(); i += 2) {
            most.first = std::max(most.first, std::abs(int(buffer[i])));
            most.second = std::max(most.second, std::abs(int(buffer[i + 1])));
        }
        return most;
    };
    auto peak = [&] { const auto [left, right] = peaks(); return std::max(left, right); };
    auto loudestOver = [&](int buffers) {
        std::pair<int, int> most{0, 0};
        for (int i = 0; i < buffers; ++i) {
            const auto [left, right] = peaks();
            most = {std::max(most.first, left), std::max(most.second, right)};
        }
        return most;
    };
    EXPECT_EQ(peak(), 0); // nothing loaded
    std::ifstream in(built("clockwork.mid"), std::ios::binary);
    synth->load({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
    EXPECT_FALSE(synth->playing());
    synth->play();
    EXPECT_TRUE(synth->playing());
    const auto [left, right] = loudestOver(40); // about two seconds
    EXPECT_GT(left, 1000);
    EXPECT_GT(right, 1000);
    synth->stop();
    EXPECT_FALSE(synth->playing());
    EXPECT_EQ(peak(), 0) << "the notes or their echo went on";
    synth->play();
    EXPECT_GT(loudestOver(40).first, 1000);

    // Time as the device counts it: a click, and the next one a second
    // (two beats at 120 a minute) later, is heard a second later.
    const Bytes click{0x99, 37, 120};
    synth->load(header(0, 1) + track(Bytes{0x00} + click + Bytes{0x87, 0x40} + click + Bytes{0x60, 0x89, 37, 0} + kEnd));
    synth->play();
    int frame = 0, second = -1, first = 0;
    for (int i = 0; i < 60 && second < 0; ++i) {
        peaks();
        for (std::size_t k = 0; k < buffer.size(); k += 2, ++frame) {
            const int level = std::abs(int(buffer[k]));
            if (frame < 44100 / 2)
                first = std::max(first, level);
            else if (second < 0 && level > first / 2)
                second = frame;
        }
    }
    EXPECT_GT(first, 1000);
    EXPECT_NEAR(second, 44100, 44100 / 20) << "the second click came at frame " << second;
    synth->unload();
    EXPECT_FALSE(synth->playing());

    QTemporaryDir tmp;
    const fs::path damaged = fs::path(tmp.path().toStdString()) / "damaged.sf2";
    writeFont(damaged);
    error.clear();
    EXPECT_FALSE(MidiSynth::make(damaged, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(MidiSynth::renderRate(44100), 22050);
    EXPECT_EQ(MidiSynth::renderRate(48000), 24000);
    EXPECT_EQ(MidiSynth::renderRate(22050), 22050);
}

// A font as long as it says but damaged inside passes the search, and the
// synthesiser refuses it: music goes off with one line, and stays off.
TEST(MusicDevice, AFontTheSynthesiserRefusesTurnsMusicOffWithOneLine)
{
    QTemporaryDir tmp;
    const fs::path font = fs::path(tmp.path().toStdString()) / "damaged.sf2";
    writeFont(font);
    ::testing::internal::CaptureStderr();
    {
        SdlMusic music(SoundFontSearch{font.string(), ""});
        ASSERT_TRUE(music.available());
        for (const char* piece : {"lanterns.mid", "marbles.mid"}) {
            music.setFileName(built(piece));
            music.command("open");
            music.command("play");
            music.waitUntilReady();
            EXPECT_FALSE(music.available()) << piece;
            EXPECT_FALSE(music.synthesiserAlive()) << piece;
            EXPECT_EQ(music.mode(), kMusicNotOpen) << piece;
        }
    }
    // Ours only: the sound font library's own checks may add a line.
    const std::string said = ::testing::internal::GetCapturedStderr();
    std::size_t lines = 0;
    for (std::size_t at = said.find("Quibix: "); at != std::string::npos; at = said.find("Quibix: ", at + 1))
        ++lines;
    EXPECT_EQ(lines, 1U) << said;
    EXPECT_NE(said.find("cannot start the MIDI synthesiser ("), std::string::npos) << said;
    EXPECT_NE(said.find("); music is off"), std::string::npos) << said;
}

// The synthesiser is freed a while after the music stops being wanted,
// and made again by the next "play"; wanted again in time, it is kept.
TEST(MusicDevice, AnUnwantedSynthesiserIsFreedAndMadeAgain)
{
    std::string why;
    if (!findSoundFont(SoundFontSearch{}, why))
        GTEST_SKIP() << why;
    SdlMusic music(SoundFontSearch{});
    ASSERT_TRUE(music.available());
    music.setFileName(built("clockwork.mid"));
    music.command("open");
    music.command("play");
    music.waitUntilReady();
    ASSERT_TRUE(music.synthesiserAlive());
    music.command("stop");
    const auto stopped = std::chrono::steady_clock::now();
    while (music.synthesiserAlive() && std::chrono::steady_clock::now() - stopped < std::chrono::seconds(6))
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(music.synthesiserAlive());
    EXPECT_GE(std::chrono::steady_clock::now() - stopped, std::chrono::milliseconds(2900)); // not at once
    music.command("play");
    EXPECT_EQ(music.mode(), kMusicPlaying);
    music.waitUntilReady();
    EXPECT_TRUE(music.synthesiserAlive());
    EXPECT_EQ(music.mode(), kMusicPlaying);

    // Wanted again before the time is up: kept, and still playing after it.
    music.command("stop");
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    music.command("play");
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    EXPECT_TRUE(music.synthesiserAlive());
    EXPECT_EQ(music.mode(), kMusicPlaying);
}

constexpr int16_t kAsync = kSoundAsync | kSoundNoDefault; // as the game plays effects
constexpr int16_t kSync = kSoundNoDefault;                // the explosion

struct Effects : ::testing::Test {
    // Opens under the dummy driver (the test program's default, so the
    // variable is always set); elsewhere a machine without sound skips.
    SdlEffects& device()
    {
        fx.emplace([this](int ms) { waitedMs += ms; std::this_thread::sleep_for(std::chrono::milliseconds(ms)); });
        EXPECT_TRUE(fx->available() || std::string(std::getenv("SDL_AUDIODRIVER")) != "dummy");
        return *fx;
    }
    int waitedMs = 0;
    std::optional<SdlEffects> fx;
};

TEST_F(Effects, UnplayableFilesPlayNothingAsynchronousEffectsCutOffSynchronousOnesWait)
{
    if (!device().available())
        GTEST_SKIP() << "no audio device on this machine";
    QTemporaryDir tmp;
    const fs::path dir = tmp.path().toStdString();
    write(dir / "empty.wav", "");
    write(dir / "cut.wav", std::string("RIFF\x24\x10\0\0WAVEfmt ", 16));
    for (const char* name : {"missing.wav", "empty.wav", "cut.wav", ""}) { // "": the folder
        fx->play(dir / name, kSync);
        EXPECT_EQ(waitedMs, 0) << name;
        EXPECT_EQ(Mix_Playing(-1), 0) << name;
    }

    // Asynchronous effects cut off the one playing, synchronous ones wait.
    fx->play(built("wellcome.wav"), kAsync);
    EXPECT_EQ(waitedMs, 0);
    EXPECT_EQ(Mix_Playing(-1), 1);
    fx->play(built("wellcome.wav"), kAsync);
    EXPECT_EQ(Mix_Playing(-1), 1) << "effects must not pile up";

    // A synchronous one replaces it and waits until heard, timed by the clock.
    const auto start = std::chrono::steady_clock::now();
    fx->play(built("sound18.wav"), kSync);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(Effects, WithoutAnAudioDeviceTheGameIsSilentAndWaitsForNothing)
{
    const std::string saved = std::getenv("SDL_AUDIODRIVER");
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SdlEffects& silent = device();
    EXPECT_FALSE(silent.available());
    silent.play(built("sound18.wav"), kSync);
    silent.play(built("sound18.wav"), kAsync);
    EXPECT_EQ(waitedMs, 0); // no sound, so the explosion holds nothing up
    fx.reset();

    // A failed attempt leaves SDL in a state where the device opens again.
    setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    if (device().available()) {
        fx->play(built("rebound.wav"), kSync);
        EXPECT_GT(waitedMs, 0);
    }
}

} // namespace
