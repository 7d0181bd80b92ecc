#pragma once
// Recording fakes of the game's ports. Pauses return at once and add up the
// milliseconds asked for; every call lands in one shared event log so a
// test can check the order of sounds, presents and prompts.
#include "game/Ports.h"

#include <deque>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quibix::testing {

struct EventLog {
    std::vector<std::string> events;
    void add(std::string e) { events.push_back(std::move(e)); }
    // Events that start with `prefix`, in order.
    std::vector<std::string> with(const std::string& prefix) const
    {
        std::vector<std::string> out;
        for (const auto& e : events)
            if (e.rfind(prefix, 0) == 0)
                out.push_back(e);
        return out;
    }
    int count(const std::string& prefix) const { return static_cast<int>(with(prefix).size()); }
    void clear() { events.clear(); }
};

class FakeWindow final : public WindowPort {
public:
    explicit FakeWindow(EventLog& log) : log_(log) {}

    // DisplayPort
    void present(Surface s, const QImage& image) override
    {
        if (s == Surface::Picture1) { ++presentsPicture1; shownPicture1 = image; }
        else { ++presentsBand; shownBand = image; }
        if (logPresents)
            log_.add(s == Surface::Picture1 ? "present Picture1" : "present PicBanda");
    }
    void pause(int ms) override
    {
        if (ms <= 0) return;
        pausedMs += ms;
        if (logPauses) log_.add("pause " + std::to_string(ms));
    }

    // Menus and captions
    void setMenuChecked(MenuItem item, bool checked) override { checkedItems[item] = checked; }
    bool menuChecked(MenuItem item) const override
    {
        auto it = checkedItems.find(item);
        return it != checkedItems.end() && it->second;
    }
    void setMenuEnabled(MenuItem item, bool enabled) override { enabledItems[item] = enabled; }
    bool menuEnabled(MenuItem item) const
    {
        auto it = enabledItems.find(item);
        return it == enabledItems.end() || it->second;
    }
    void setCaption(Caption label, int index, const std::string& text) override
    {
        captions[{label, index}] = text;
    }
    std::string caption(Caption label, int index = 0) const
    {
        auto it = captions.find({label, index});
        return it == captions.end() ? std::string() : it->second;
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
    void disableInput() override
    {
        inputDisabled = true;
        pointerShape = kPointerHourglass;
        log_.add("disable input");
    }
    void enableInput(int16_t p) override
    {
        inputDisabled = false;
        pointerShape = p;
        log_.add("enable input");
    }

    // Cursor
    int32_t showCursor(bool show) override
    {
        cursorCounter += show ? 1 : -1;
        return cursorCounter;
    }
    void confineCursor(bool toPlayField) override { cursorConfined = toPlayField; }

    void focusPlayField() override {}
    void openInEditor(const std::filesystem::path& file) override { editorOpened = file; }
    void quit() override { quitRequested = true; log_.add("quit"); }

    // What was recorded
    bool logPresents = false;
    bool logPauses = false;
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
    bool inputDisabled = false;
    int32_t cursorCounter = 0;
    bool cursorConfined = false;
    std::filesystem::path editorOpened;
    bool quitRequested = false;

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
    void command(const std::string& c) override
    {
        commands.push_back(c);
        log_.add("music " + c);
        if (c == "open") currentMode = kMusicStopped;
        else if (c == "play") currentMode = kMusicPlaying;
        else if (c == "stop") currentMode = kMusicStopped;
        else if (c == "close") currentMode = kMusicNotOpen;
    }
    int mode() const override { return currentMode; }

    std::string deviceType;
    bool notify = true, wait = true;
    std::filesystem::path fileName;
    std::vector<std::string> commands;
    int currentMode = kMusicNotOpen;

private:
    EventLog& log_;
};

} // namespace quibix::testing
