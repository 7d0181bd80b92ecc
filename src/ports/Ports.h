#pragma once
// What the game needs from outside, as small interfaces. The Qt shell and
// the audio layer implement them; the tests fake them.
#include <QImage>

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace quibix {

enum class Surface { Picture1, PicBanda };

// Drawing needs only this much of the window.
class DisplayPort {
public:
    virtual ~DisplayPort() = default;
    // Show the surface's current image; later drawing stays unseen until the
    // next present.
    virtual void present(Surface surface, const QImage& image) = 0;
    // Wait `ms` milliseconds while the window keeps repainting. Pauses that
    // follow each other are paced against one running deadline, so drawing
    // time does not add up over an animation. 0 or less returns at once.
    virtual void pause(int ms) = 0;
};

// Menu items the game checks, enables or reads, in menu-bar order.
enum class MenuItem {
    NewGame, StopGame, Exit,
    LevelMenu, Easy, Hard,
    Music, FxSound,
    BackgroundChange,
    PieceCombinations, Combinations3, Combinations4, Combinations5, Combinations6,
    ShapeDefinition, ShapeSquare, ShapeFace, ShapeDiamond, ShapeColumns, ShapeSaw, ShapeRandom,
    ChoosePieces, ChooseSkins, SaveSettings,
    About, Readme,
};

// Labels whose captions the game sets. Record rows take an index 0..9.
enum class Caption { Score, PartialScore, Version, RecordName, RecordValue };

// The about box's inner size, which its background picture fills.
constexpr int kAboutWidth = 420;
constexpr int kAboutHeight = 380;

// Application mouse-pointer shapes.
constexpr int16_t kPointerDefault = 0;
constexpr int16_t kPointerHourglass = 11;

class WindowPort : public DisplayPort {
public:
    virtual void setMenuChecked(MenuItem item, bool checked) = 0;
    virtual bool menuChecked(MenuItem item) const = 0;
    virtual void setMenuEnabled(MenuItem item, bool enabled) = 0;
    // Text is UTF-8.
    virtual void setCaption(Caption label, int index, const std::string& text) = 0;

    // The title screen (picMain) over the play field.
    virtual void showTitleScreen(bool visible) = 0;
    virtual void setTitlePicture(const QImage& picture) = 0;

    // Modal prompts. inputBox gives nothing when the player cancels.
    virtual void messageBox(const std::string& text, const std::string& title) = 0;
    // The same message closing itself after `ms` (a game being watched).
    virtual void notice(const std::string& text, const std::string& title, int ms) = 0;
    virtual std::optional<std::string> inputBox(const std::string& prompt,
                                                const std::string& title,
                                                const std::string& proposed) = 0;

    // The application-wide pointer shape (kPointerDefault, kPointerHourglass).
    virtual int16_t pointer() const = 0;
    virtual void setPointer(int16_t shape) = 0;

    // The input lock of a turn: hourglass and no input at all; then input
    // back, with whatever arrived meanwhile thrown away, and the given pointer.
    virtual void disableInput() = 0;
    virtual void enableInput(int16_t pointer) = 0;

    // The cursor's display counter: +1 when shown, -1 when hidden; visible
    // while >= 0. Returns the counter after the change.
    virtual int32_t showCursor(bool show) = 0;
    // Confine the cursor to the play field, or free it over the desktop.
    virtual void confineCursor(bool toPlayField) = 0;

    // The piece chooser ("Choose 6 Pieces"), modal, showing the twelve
    // pictures (25 x 25, with their masks) the field would draw. Starts from
    // `current` and returns the six picture numbers chosen, ascending.
    virtual std::array<int16_t, 6> choosePieces(const std::array<int16_t, 6>& current,
                                                const std::array<QImage, 12>& pictures,
                                                const std::array<QImage, 12>& masks) = 0;
    // The skin chooser ("Skins Configuration"), modal, over the skins of
    // `appFolder`: the skin chosen ("\" or "\Name\"), nothing on Cancel.
    virtual std::optional<std::string> chooseSkin(const std::filesystem::path& appFolder,
                                                  const std::string& currentSkin) = 0;

    // Whether row `row` (0..9) of the high-score table shown has a recorded
    // game that a click on it plays.
    virtual void setRecordWatchable(int row, bool watchable) = 0;
    // While a recorded game is watched, a key or a click stops it (the
    // shell calls Form1::stopWatching) and no other input gets through.
    virtual void setWatching(bool watching) = 0;

    virtual void focusPlayField() = 0;
    virtual void openInEditor(const std::filesystem::path& file) = 0;
    // The about box (frmAbout) with its background picture, of
    // kAboutWidth x kAboutHeight, and version line. Modal: returns once the
    // player has closed it, the game waiting behind it.
    virtual void showAbout(const QImage& picture, const std::string& versionLine) = 0;
    // End the program once the current event returns.
    virtual void quit() = 0;
};

// Effect flags: 1 asynchronous, 2 no default sound when the file is missing.
constexpr int16_t kSoundAsync = 1;
constexpr int16_t kSoundNoDefault = 2;

class EffectsPort {
public:
    virtual ~EffectsPort() = default;
    // Play a WAV file. Asynchronous effects cut off the one playing; a
    // synchronous one returns when it has finished. A file that cannot be
    // played plays nothing.
    virtual void play(const std::filesystem::path& file, int16_t flags) = 0;
};

// Mode values of the music device.
constexpr int kMusicNotOpen = 524;
constexpr int kMusicStopped = 525;
constexpr int kMusicPlaying = 526;

class MusicDevicePort {
public:
    virtual ~MusicDevicePort() = default;
    virtual void setDeviceType(const std::string& type) = 0;
    virtual void setNotify(bool notify) = 0;
    virtual void setWait(bool wait) = 0;
    virtual void setFileName(const std::filesystem::path& file) = 0;
    // "open", "play", "stop", "close".
    virtual void command(const std::string& command) = 0;
    virtual int mode() const = 0;
};

} // namespace quibix
