#pragma once
// Ports that write everything the game does to the outside into one text
// log: presents (with a hash of the image shown), pauses, sounds with their
// flags, music commands, captions, menu states, prompts, pointer and cursor.
// Random draws and reseeds go to a second log: when in a handler they are
// drawn does not change what the player sees, only their order does.
#include "game/Ports.h"
#include "game/Random.h"

#include <QImage>

#include <cstdint>
#include <map>
#include <random>
#include <string>

namespace quibix::golden {

// 64-bit FNV-1a, for logs and file contents.
inline uint64_t fnv1a(const void* data, std::size_t size, uint64_t h = 1469598103934665603ull)
{
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i)
        h = (h ^ p[i]) * 1099511628211ull;
    return h;
}

// A hash of an image's visible pixels (padding bytes excluded), fast enough
// for every frame of hundreds of games.
uint64_t imageHash(const QImage& image);

std::string hex(uint64_t v);

class GoldenLog {
public:
    void out(const std::string& line) { out_ += line; out_ += '\n'; }
    void rand(const std::string& line) { rand_ += line; rand_ += '\n'; }
    const std::string& outText() const { return out_; }
    const std::string& randText() const { return rand_; }

private:
    std::string out_, rand_;
};

class RecordingWindow final : public WindowPort {
public:
    explicit RecordingWindow(GoldenLog& log) : log_(log) {}

    void present(Surface s, const QImage& image) override;
    void pause(int ms) override { log_.out("pause " + std::to_string(ms)); }
    void setMenuChecked(MenuItem item, bool checked) override;
    bool menuChecked(MenuItem item) const override;
    void setMenuEnabled(MenuItem item, bool enabled) override;
    void setCaption(Caption label, int index, const std::string& text) override;
    void showTitleScreen(bool visible) override;
    void setTitlePicture(const QImage& picture) override;
    void messageBox(const std::string& text, const std::string& title) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& proposed) override;
    int16_t pointer() const override { return pointer_; }
    void setPointer(int16_t shape) override;
    void disableInput() override;
    void enableInput(int16_t pointer) override;
    int32_t showCursor(bool show) override;
    void confineCursor(bool toPlayField) override;
    void focusPlayField() override { log_.out("focus"); }
    void openInEditor(const std::filesystem::path& file) override;
    void quit() override { log_.out("quit"); }

    bool titleVisible() const { return title_; }

private:
    GoldenLog& log_;
    std::map<MenuItem, bool> checked_;
    bool title_ = false;
    int16_t pointer_ = kPointerDefault;
    int32_t cursor_ = 0;
    int nameAnswers_ = 0;
};

class RecordingEffects final : public EffectsPort {
public:
    explicit RecordingEffects(GoldenLog& log) : log_(log) {}
    void play(const std::filesystem::path& file, int16_t flags) override;

private:
    GoldenLog& log_;
};

class RecordingMusic final : public MusicDevicePort {
public:
    explicit RecordingMusic(GoldenLog& log) : log_(log) {}
    void setDeviceType(const std::string& type) override { log_.out("music type " + type); }
    void setNotify(bool n) override { log_.out(std::string("music notify ") + (n ? "1" : "0")); }
    void setWait(bool w) override { log_.out(std::string("music wait ") + (w ? "1" : "0")); }
    void setFileName(const std::filesystem::path& file) override;
    void command(const std::string& c) override { log_.out("music " + c); }
    int mode() const override { return kMusicNotOpen; }

private:
    GoldenLog& log_;
};

// A replayable generator: a fixed seed, and every reseed moves to the next
// seed of a fixed series, so reseeding is visible in the draws.
class RecordingRandom final : public RandomSource {
public:
    RecordingRandom(GoldenLog& log, uint32_t seed) : log_(log), seed_(seed), engine_(seed) {}
    float next() override;
    void reseedFromClock() override;

private:
    GoldenLog& log_;
    uint32_t seed_;
    uint32_t reseeds_ = 0;
    std::mt19937 engine_;
};

} // namespace quibix::golden
