#pragma once
// Audio that plays nothing: for a machine without sound, and the music
// device until music arrives.
#include "ports/Ports.h"

#include <string>

namespace quibix {

class SilentEffects final : public EffectsPort {
public:
    void play(const std::filesystem::path&, int16_t) override {}
};

class SilentMusicDevice final : public MusicDevicePort {
public:
    void setDeviceType(const std::string&) override {}
    void setNotify(bool) override {}
    void setWait(bool) override {}
    void setFileName(const std::filesystem::path&) override {}
    void command(const std::string&) override {}
    int mode() const override { return kMusicNotOpen; }
};

} // namespace quibix
