#pragma once
// Effects over SDL2_mixer: one reserved channel, so a new effect cuts off
// the one playing but never the music. The audio device is opened by the
// first effect, and again by the first after a silence closed it, in the
// background when that effect is asynchronous, so the game never waits
// for it. Without an audio device the game stays silent.
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
    // Whether effects can sound; opens the device when no effect has yet
    // (and waits for it).
    bool available() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace quibix
