#pragma once
// One MIDI synthesiser (FluidSynth with a General MIDI sound font) playing
// one piece at a time into the open SDL_mixer device, as its music. Made
// once and kept for every piece, so a new piece starts at once and the
// sound font is read only once.
//
// The pieces are rendered at half the device's rate and resampled to it:
// the sound font holds almost nothing above a quarter of the device rate
// (some 50 dB below the music), and the synthesiser's work halves.
#include <SDL.h>
#include <fluidsynth.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace quibix {

class MidiSynth {
public:
    // For the device SDL_mixer has open. Null, with `error` saying why,
    // when the synthesiser or the sound font cannot be made.
    static std::unique_ptr<MidiSynth> make(const std::filesystem::path& soundFont, std::string& error);
    ~MidiSynth();
    MidiSynth(const MidiSynth&) = delete;
    MidiSynth& operator=(const MidiSynth&) = delete;

    // Takes a piece (a whole MIDI file), stopped; the one before is gone.
    void load(std::vector<uint8_t> midi);
    // From the start of the piece.
    void play();
    // Silent at once: nothing more is rendered until the next play().
    void stop();
    // Whether the piece is still playing (not stopped, not at its end).
    bool playing() const;
    // Forgets the piece.
    void unload();

    // Fills the device's buffer: SDL_mixer's music hook, on the audio thread.
    static void render(void* self, uint8_t* stream, int bytes);

    // The rate the pieces are rendered at, for the device's rate.
    static int renderRate(int deviceRate);

private:
    MidiSynth() = default;
    void dropPlayer();

    mutable std::mutex mutex_; // the audio thread renders under it
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_player_t* player_ = nullptr;
    SDL_AudioStream* resampler_ = nullptr;
    std::vector<uint8_t> midi_;
    std::vector<float> block_; // one rendered block, stereo
};

} // namespace quibix
