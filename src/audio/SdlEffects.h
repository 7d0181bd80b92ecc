#pragma once
// Effects over SDL2_mixer: one reserved channel, so a new effect cuts off
// the one playing but never the music. Without an audio device the game
// stays silent.
#include "ports/Ports.h"

#include <functional>
#include <memory>

namespace quibix {

class SdlEffects final : public EffectsPort {
public:
    // `wait(ms)` is called while a synchronous effect plays, so the window
    // keeps repainting.
    explicit SdlEffects(std::function<void(int ms)> wait);
    ~SdlEffects() override;
    SdlEffects(const SdlEffects&) = delete;
    SdlEffects& operator=(const SdlEffects&) = delete;

    void play(const std::filesystem::path& file, int16_t flags) override;
    bool available() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace quibix
