#include "app/LateAudio.h"

namespace quibix {

// Everything the proxies and the arriving thread share, under `mutex`.
struct LateAudio::Shared {
    std::mutex mutex;
    bool ready = false; // the real ports take calls directly
    AudioPorts real;
    std::deque<std::function<void()>> kept; // calls on the real ports, in order
    int mode = kMusicNotOpen; // the music device's mode until it answers itself
    std::filesystem::path fileName, openFile; // of the device until it arrives

    // Keeps `call` for later and answers false, or answers true when the
    // caller is to make it on the real ports now.
    bool direct(std::function<void()> call)
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (ready)
            return true;
        kept.push_back(std::move(call));
        return false;
    }
};

class LateAudio::Effects final : public EffectsPort {
public:
    explicit Effects(Shared& s) : s_(s) {}
    void play(const std::filesystem::path& file, int16_t flags) override
    {
        // Kept, nobody waits for it any more.
        if (s_.direct([this, file, flags] { s_.real.effects->play(file, static_cast<int16_t>(flags | kSoundAsync)); }))
            s_.real.effects->play(file, flags);
    }

private:
    Shared& s_;
};

class LateAudio::Music final : public MusicDevicePort {
public:
    explicit Music(Shared& s) : s_(s) {}
    void setDeviceType(const std::string& type) override
    {
        if (s_.direct([this, type] { s_.real.music->setDeviceType(type); }))
            s_.real.music->setDeviceType(type);
    }
    void setNotify(bool notify) override
    {
        if (s_.direct([this, notify] { s_.real.music->setNotify(notify); }))
            s_.real.music->setNotify(notify);
    }
    void setWait(bool wait) override
    {
        if (s_.direct([this, wait] { s_.real.music->setWait(wait); }))
            s_.real.music->setWait(wait);
    }
    void setFileName(const std::filesystem::path& file) override
    {
        if (s_.direct([this, file] { s_.real.music->setFileName(file); })) {
            s_.real.music->setFileName(file);
            return;
        }
        std::lock_guard<std::mutex> lock(s_.mutex);
        s_.fileName = file;
    }
    void command(const std::string& command) override
    {
        if (s_.direct([this, command] { s_.real.music->command(command); })) {
            s_.real.music->command(command);
            return;
        }
        // The mode a device that accepts every file would show.
        std::lock_guard<std::mutex> lock(s_.mutex);
        if (command == "open" && (s_.mode == kMusicNotOpen || s_.openFile != s_.fileName)) {
            s_.openFile = s_.fileName; // the same file again changes nothing
            s_.mode = s_.fileName.empty() ? kMusicNotOpen : kMusicStopped;
        } else if (command == "play" && s_.mode != kMusicNotOpen)
            s_.mode = kMusicPlaying;
        else if (command == "stop" && s_.mode != kMusicNotOpen)
            s_.mode = kMusicStopped;
        else if (command == "close")
            s_.mode = kMusicNotOpen;
    }
    int mode() const override
    {
        {
            std::lock_guard<std::mutex> lock(s_.mutex);
            if (!s_.ready)
                return s_.mode;
        }
        return s_.real.music->mode();
    }

private:
    Shared& s_;
};

LateAudio::LateAudio()
    : shared_(std::make_unique<Shared>()),
      effects_(std::make_unique<Effects>(*shared_)),
      music_(std::make_unique<Music>(*shared_))
{
}

LateAudio::~LateAudio()
{
    if (loader_.joinable())
        loader_.join();
}

EffectsPort& LateAudio::effects() { return *effects_; }
MusicDevicePort& LateAudio::music() { return *music_; }

void LateAudio::arrive(AudioPorts ports)
{
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->real = std::move(ports);
    }
    // Carried out without the lock, so the game's thread can keep adding
    // to them meanwhile; the ports take calls directly once none are left.
    for (;;) {
        std::deque<std::function<void()>> calls;
        {
            std::lock_guard<std::mutex> lock(shared_->mutex);
            if (shared_->kept.empty()) {
                shared_->ready = true;
                return;
            }
            calls.swap(shared_->kept);
        }
        for (auto& call : calls)
            call();
    }
}

void LateAudio::arriveFrom(std::function<AudioPorts()> make)
{
    loader_ = std::thread([this, make = std::move(make)] { arrive(make()); });
}

bool LateAudio::arrived() const
{
    std::lock_guard<std::mutex> lock(shared_->mutex);
    return shared_->ready;
}

} // namespace quibix
