#pragma once
// The one SDL_mixer device of the program, shared by effects and music:
// opened by the first user, closed when the last one lets go, so neither
// can shut the other's sound off.
#include <memory>

namespace quibix {

class SdlMixer {
public:
    // The shared mixer. When no audio device can be opened it says so once
    // on standard error and open() stays false for every user.
    static std::shared_ptr<SdlMixer> acquire();

    ~SdlMixer();
    SdlMixer(const SdlMixer&) = delete;
    SdlMixer& operator=(const SdlMixer&) = delete;

    bool open() const { return open_; }

private:
    SdlMixer();
    bool open_ = false;
};

} // namespace quibix
