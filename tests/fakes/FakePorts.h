#pragma once
// Recording fakes of the game's ports. Pauses return at once and add up the
// milliseconds asked for; every call lands in one shared event log so a
// test can check the order of sounds, presents and prompts.
#include "game/Ports.h"
#include "game/Random.h"

#include <algorithm>
#include <array>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace quibix::testing {

struct EventLog {
    std::vector<std::string> events;
    void add(std::string e) { events.push_back(std::move(e)); }
    // How many events start with `prefix`.
    int count(const std::string& prefix) const
    {
        return static_cast<int>(std::count_if(events.begin(), events.end(),
                                              [&](const std::string& e) { return e.rfind(prefix, 0) == 0; }));
    }
    void clear() { events.clear(); }
};

class FakeWindow final : public WindowPort {
public:
    explicit FakeWindow(EventLog& log) : log_(log) {}

    // DisplayPort
    void present(Surface s, const QImage& image) override
    {
        // Keeping a shown image makes the next drawing copy the surface.
        if (s == Surface::Picture1) { ++presentsPicture1; if (keepShown) shownPicture1 = image; }
        else { ++presentsBand; if (keepShown) shownBand = image; }
        if (logPresents)
            log_.add(s == Surface::Picture1 ? "present Picture1" : "present PicBanda");
    }
    void pause(int ms) override
    {
        if (ms <= 0) return;
        pausedMs += ms;
        if (logPauses) log_.add("pause " + std::to_string(ms));
        if (onPause) onPause(ms);
    }

    // Menus and captions
    void setMenuChecked(MenuItem item, bool checked) override { checkedItems[item] = checked; }
    bool menuChecked(MenuItem item) const override
    {
        return checkedItems.count(item) && checkedItems.at(item);
    }
    void setMenuEnabled(MenuItem item, bool enabled) override { enabledItems[item] = enabled; }
    bool menuEnabled(MenuItem item) const { return !enabledItems.count(item) || enabledItems.at(item); }
    void setCaption(Caption label, int index, const std::string& t) override { captions[{label, index}] = t; }
    std::string caption(Caption label, int index = 0) const
    {
        return captions.count({label, index}) ? captions.at({label, index}) : std::string();
    }

    // Title screen
    void showTitleScreen(bool visible) override
    {
        titleVisible = visible;
        log_.add(visible ? "title shown" : "title hidden");
    }
    void setTitlePicture(const QImage& picture) override { titlePicture = picture; ++titlePictureLoads; }

    // Prompts
    void messageBox(const std::string& text, const std::string& title) override
    {
        messages.emplace_back(text, title);
        log_.add("message " + text);
    }
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& proposed) override
    {
        inputs.push_back({prompt, title, proposed});
        log_.add("input " + proposed);
        if (answers.empty()) return proposed;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }

    // Pointer and input lock
    int16_t pointer() const override { return pointerShape; }
    void setPointer(int16_t shape) override { pointerShape = shape; }
    void disableInput() override { pointerShape = kPointerHourglass; log_.add("disable input"); }
    void enableInput(int16_t p) override { pointerShape = p; log_.add("enable input"); }

    // Cursor
    int32_t showCursor(bool show) override { return cursorCounter += show ? 1 : -1; }
    void confineCursor(bool toPlayField) override { cursorConfined = toPlayField; }

    // The two choosers answer what the test set (the current choice, or
    // Cancel, by default).
    std::array<int16_t, 6> choosePieces(const std::array<int16_t, 6>& current,
                                        const std::array<QImage, 12>& pictures,
                                        const std::array<QImage, 12>&) override
    {
        log_.add("choose pieces");
        chooserPictures = pictures;
        return piecesAnswer.value_or(current);
    }
    std::optional<std::string> chooseSkin(const std::filesystem::path&,
                                          const std::string& current) override
    {
        log_.add("choose skin " + current);
        return skinAnswer;
    }
    std::optional<std::array<int16_t, 6>> piecesAnswer;
    std::optional<std::string> skinAnswer;
    std::array<QImage, 12> chooserPictures;

    void focusPlayField() override {}
    void openInEditor(const std::filesystem::path& file) override
    {
        openedFiles.push_back(file);
        log_.add("open " + file.filename().string());
    }
    void showAbout(const QImage& picture, const std::string& versionLine) override
    {
        aboutPicture = picture;
        aboutVersion = versionLine;
        log_.add("about");
    }
    void quit() override { quitRequested = true; log_.add("quit"); }

    // What to record, and what a pause really does (nothing by default).
    bool logPresents = false, logPauses = false, keepShown = true;
    std::function<void(int)> onPause;

    // What was recorded
    int presentsPicture1 = 0, presentsBand = 0;
    QImage shownPicture1, shownBand;
    long long pausedMs = 0;
    std::map<MenuItem, bool> checkedItems, enabledItems;
    std::map<std::pair<Caption, int>, std::string> captions;
    bool titleVisible = false;
    QImage titlePicture;
    int titlePictureLoads = 0;
    std::vector<std::pair<std::string, std::string>> messages;
    struct Input { std::string prompt, title, proposed; };
    std::vector<Input> inputs;
    std::deque<std::optional<std::string>> answers; // next input box answers
    int16_t pointerShape = kPointerDefault;
    int32_t cursorCounter = 0;
    bool cursorConfined = false;
    bool quitRequested = false;
    std::vector<std::filesystem::path> openedFiles;
    QImage aboutPicture;
    std::string aboutVersion;

private:
    EventLog& log_;
};

class FakeEffects final : public EffectsPort {
public:
    explicit FakeEffects(EventLog& log) : log_(log) {}
    void play(const std::filesystem::path& file, int16_t flags) override
    {
        played.emplace_back(file.filename().string(), flags);
        log_.add("sound " + file.filename().string() + (flags & kSoundAsync ? "" : " sync"));
    }
    std::vector<std::pair<std::string, int16_t>> played;

private:
    EventLog& log_;
};

class FakeMusic final : public MusicDevicePort {
public:
    explicit FakeMusic(EventLog& log) : log_(log) {}
    void setDeviceType(const std::string& type) override { deviceType = type; }
    void setNotify(bool n) override { notify = n; }
    void setWait(bool w) override { wait = w; }
    void setFileName(const std::filesystem::path& file) override { fileName = file; }
    void command(const std::string& c) override { commands.push_back(c); log_.add("music " + c); }
    int mode() const override { return modeValue; }

    std::string deviceType;
    bool notify = true, wait = true;
    std::filesystem::path fileName;
    std::vector<std::string> commands;
    int modeValue = kMusicNotOpen; // what the device reports

private:
    EventLog& log_;
};

// The game's generator with a fixed seed, so a run replays.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(unsigned seed) : engine_(seed) {}
    float next() override { return std::uniform_real_distribution<float>(0.0f, 1.0f)(engine_); }
    void reseedFromClock() override {}

private:
    std::mt19937 engine_;
};

} // namespace quibix::testing
