#pragma once
// The music device: a MIDI synthesiser (FluidSynth with a General MIDI
// sound font, audio/MidiSynth.h) playing into SDL_mixer's device. Problems (no sound font, a damaged file, no
// audio device) leave the music silent with one line on standard error;
// effects and play go on.
#include "audio/SoundFont.h"
#include "ports/Ports.h"

#include <memory>

namespace quibix {

class SdlMusic final : public MusicDevicePort {
public:
    // Only finds the sound font: the audio device and the synthesiser are
    // made in the background when the first piece is opened.
    explicit SdlMusic(const SoundFontSearch& search = SoundFontSearch::fromEnvironment());
    ~SdlMusic() override;
    SdlMusic(const SdlMusic&) = delete;
    SdlMusic& operator=(const SdlMusic&) = delete;

    void setDeviceType(const std::string& type) override;
    void setNotify(bool notify) override;
    void setWait(bool wait) override;
    void setFileName(const std::filesystem::path& file) override;
    void command(const std::string& command) override;
    int mode() const override;

    // Whether music can sound at all (device, sound font, synthesiser).
    bool available() const;
    // Waits until the sound font is loaded and the piece asked for is
    // loaded or has failed (the commands themselves never wait).
    void waitUntilReady();
    // Whether a synthesiser is made (freed again a few seconds after the
    // music stops being wanted).
    bool synthesiserAlive() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace quibix
