#pragma once
// Recording fakes of the game's ports. Pauses return at once and add up the
// milliseconds asked for; calls land in one shared event log so a test can
// check the order of sounds, presents and prompts. With a `trace` set, every
// call is also written as one line, images as a hash (the golden games).
#include "ports/Ports.h"

#include <QImage>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quibix::testing {

// 64-bit FNV-1a.
inline uint64_t fnv1a(const void* data, std::size_t size, uint64_t h = 1469598103934665603ull)
{
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i)
        h = (h ^ p[i]) * 1099511628211ull;
    return h;
}

inline std::string hex(uint64_t v)
{
    char text[20];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(v));
    return text;
}

// A hash of an image's visible pixels (padding bytes excluded), fast enough
// for every frame of hundreds of games: each 8-byte word is keyed by its
// position and multiplied, and the sum has no dependency chain.
inline std::string imageHash(const QImage& image)
{
    uint64_t h = 1469598103934665603ull;
    const int bytesPerRow = image.width() * image.depth() / 8;
    const int words = bytesPerRow / 8;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(y);
        uint64_t sum = 0;
        const uint64_t rowKey = 0x9E3779B97F4A7C15ull * static_cast<uint64_t>(y + 1);
        for (int i = 0; i < words; ++i) {
            uint64_t w;
            std::memcpy(&w, row + 8 * i, 8);
            sum += (w ^ (rowKey + 0xC2B2AE3D27D4EB4Full * static_cast<uint64_t>(i))) * 0x100000001B3ull;
        }
        h = fnv1a(&sum, sizeof sum, h);
        h = fnv1a(row + 8 * words, static_cast<std::size_t>(bytesPerRow - 8 * words), h);
    }
    const uint64_t size[3] = {static_cast<uint64_t>(image.width()), static_cast<uint64_t>(image.height()),
                              static_cast<uint64_t>(image.format())};
    return hex(fnv1a(size, sizeof size, h));
}

using Trace = std::function<void(const std::string&)>;
inline std::string flag(bool b) { return b ? "1" : "0"; }
template <class N> std::string num(N n) { return std::to_string(static_cast<int>(n)); } // numbers and enums

struct EventLog {
    std::vector<std::string> events;
    void add(std::string e) { events.push_back(std::move(e)); }
    // How many events start with `prefix`.
    int count(const std::string& prefix) const
    {
        return int(std::count_if(events.begin(), events.end(), [&](auto& e) { return e.rfind(prefix, 0) == 0; }));
    }
    void clear() { events.clear(); }
};

// What the three fakes share: the test log and the golden trace.
class Recorder {
public:
    explicit Recorder(EventLog& log) : log_(log) {}
    Trace trace;

protected:
    void note(const std::string& traceLine) const { if (trace) trace(traceLine); }
    // One call: a line for the test log and one for the trace.
    void record(const std::string& logLine, const std::string& traceLine) { log_.add(logLine); note(traceLine); }
    void record(const std::string& line) { record(line, line); }
    EventLog& log_;
};

// The whole window, its ports in turn; what they recorded is gathered below.
class FakeWindow final : public WindowPort, public Recorder {
public:
    using Recorder::Recorder;

    // DisplayPort
    void present(Surface s, const QImage& image) override
    {
        const bool field = s == Surface::Picture1;
        if (trace) trace((field ? "present field " : "present band ") + imageHash(image));
        ++(field ? presentsPicture1 : presentsBand);
        // Keeping a shown image makes the next drawing copy the surface.
        if (keepShown) (field ? shownPicture1 : shownBand) = image;
        if (logPresents) log_.add(field ? "present Picture1" : "present PicBanda");
    }
    void pause(int ms) override
    {
        note("pause " + num(ms));
        if (ms <= 0) return;
        pausedMs += ms;
        if (logPauses) log_.add("pause " + num(ms));
        if (onPause) onPause(ms);
    }

    // MenuPort
    void setMenuChecked(MenuItem i, bool b) override { checkedItems[i] = b; note("check " + num(i) + " " + flag(b)); }
    bool menuChecked(MenuItem i) const override { return checkedItems.count(i) && checkedItems.at(i); }
    void setMenuEnabled(MenuItem i, bool b) override { enabledItems[i] = b; note("enable " + num(i) + " " + flag(b)); }
    bool menuEnabled(MenuItem i) const { return !enabledItems.count(i) || enabledItems.at(i); }

    // ScreenPort
    void setCaption(Caption c, int i, const std::string& t) override
    {
        captions[{c, i}] = t;
        note("caption " + num(c) + " " + num(i) + " " + t);
    }
    std::string caption(Caption c, int i = 0) const { return captions.count({c, i}) ? captions.at({c, i}) : ""; }

    void showTitleScreen(bool on) override
    {
        titleVisible = on;
        record(on ? "title shown" : "title hidden", "title " + flag(on));
    }
    void setTitlePicture(const QImage& picture) override
    {
        titlePicture = picture;
        ++titlePictureLoads;
        if (trace) trace("title picture " + imageHash(picture));
    }

    // Not traced: the golden games were recorded before games could be
    // watched.
    void setRecordWatchable(int row, bool on) override { watchableRows[row] = on; }
    void setWatching(bool on) override { watching = on; record(on ? "watching" : "watching ends"); }
    std::map<int, bool> watchableRows;
    bool watching = false;

    // PromptPort
    void messageBox(const std::string& text, const std::string& title) override
    {
        messages.push_back(text);
        record("message " + text, "message " + title + ": " + text);
    }
    void notice(const std::string& text, const std::string& title, int ms) override
    {
        messages.push_back(text);
        record("notice " + text, "notice " + title + ": " + text + " " + num(ms));
    }
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& proposed) override
    {
        inputs.push_back(proposed);
        record("input " + proposed, "input " + title + ": " + prompt + " [" + proposed + "]");
        if (answers.empty()) return proposed;
        const auto a = answers.front();
        answers.pop_front();
        return a;
    }

    // The two choosers answer what the test set (the current choice, or
    // Cancel, by default).
    std::array<int16_t, 6> choosePieces(const std::array<int16_t, 6>& current,
                                        const std::array<QImage, 12>& pictures,
                                        const std::array<QImage, 12>&) override
    {
        record("choose pieces");
        chooserPictures = pictures;
        return piecesAnswer.value_or(current);
    }
    std::optional<std::string> chooseSkin(const std::filesystem::path&, const std::string& current) override
    {
        record("choose skin " + current, "choose skin");
        return skinAnswer;
    }
    std::optional<std::array<int16_t, 6>> piecesAnswer;
    std::optional<std::string> skinAnswer;
    std::array<QImage, 12> chooserPictures;

    void openInEditor(const std::filesystem::path& file) override
    {
        openedFiles.push_back(file);
        record("open " + file.filename().string(), "editor " + file.filename().string());
    }
    void showAbout(const QImage& picture, const std::string& versionLine) override
    {
        aboutPicture = picture;
        aboutVersion = versionLine;
        record("about", trace ? "about " + versionLine + " " + imageHash(picture) : "");
    }

    // PointerPort: pointer, input lock and cursor
    int16_t pointer() const override { return pointerShape; }
    void setPointer(int16_t shape) override { pointerShape = shape; note("pointer " + num(shape)); }
    void disableInput() override { pointerShape = kPointerHourglass; record("disable input", "input off"); }
    void enableInput(int16_t p) override { pointerShape = p; record("enable input", "input on " + num(p)); }
    int32_t showCursor(bool show) override
    {
        note("cursor " + num(cursorCounter += show ? 1 : -1));
        return cursorCounter;
    }
    void confineCursor(bool on) override { cursorConfined = on; note("confine " + flag(on)); }
    void focusPlayField() override { note("focus"); }

    // WindowPort's own
    void quit() override { quitRequested = true; record("quit"); }

    // What to record, and what a pause really does (nothing by default).
    bool logPresents = false, logPauses = false, keepShown = true;
    std::function<void(int)> onPause;

    // What was recorded
    int presentsPicture1 = 0, presentsBand = 0, titlePictureLoads = 0;
    QImage shownPicture1, shownBand, titlePicture, aboutPicture;
    long long pausedMs = 0;
    std::map<MenuItem, bool> checkedItems, enabledItems;
    std::map<std::pair<Caption, int>, std::string> captions;
    std::vector<std::string> messages, inputs; // texts shown; names proposed
    std::deque<std::optional<std::string>> answers; // next input box answers
    int16_t pointerShape = kPointerDefault;
    int32_t cursorCounter = 0;
    bool titleVisible = false, cursorConfined = false, quitRequested = false;
    std::vector<std::filesystem::path> openedFiles;
    std::string aboutVersion;
};

class FakeEffects final : public EffectsPort, public Recorder {
public:
    using Recorder::Recorder;
    void play(const std::filesystem::path& file, int16_t flags) override
    {
        const std::string name = file.filename().string();
        played.emplace_back(name, flags);
        record("sound " + name + (flags & kSoundAsync ? "" : " sync"), "sound " + name + " " + num(flags));
    }
    std::vector<std::pair<std::string, int16_t>> played;
};

class FakeMusic final : public MusicDevicePort, public Recorder {
public:
    using Recorder::Recorder;
    void setDeviceType(const std::string& type) override { note("music type " + type); }
    void setNotify(bool n) override { notify = n; note("music notify " + flag(n)); }
    void setWait(bool w) override { wait = w; note("music wait " + flag(w)); }
    void setFileName(const std::filesystem::path& f) override
    {
        fileName = f;
        note("music file " + f.filename().string());
    }
    void command(const std::string& c) override { commands.push_back(c); record("music " + c); }
    int mode() const override { return modeValue; }

    bool notify = true, wait = true;
    std::filesystem::path fileName;
    std::vector<std::string> commands;
    int modeValue = kMusicNotOpen; // what the device reports
};

} // namespace quibix::testing
