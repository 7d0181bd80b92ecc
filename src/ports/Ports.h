#pragma once
// What the game needs from outside, as small interfaces. The Qt shell and
// the audio layer implement them; the tests fake them.
#include "ports/MenuPort.h"
#include "ports/PointerPort.h"
#include "ports/PromptPort.h"
#include "ports/ScreenPort.h"

#include <QImage>

#include <cstdint>
#include <filesystem>
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

// Everything the game asks of its window, one small port per concern: a
// new input or dialog touches one of them.
class WindowPort : public DisplayPort,
                   public MenuPort,
                   public ScreenPort,
                   public PromptPort,
                   public PointerPort {
public:
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
