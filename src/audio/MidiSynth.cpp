#include "audio/MidiSynth.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <fluidsynth.h>

#include <algorithm>
#include <cstring>

namespace quibix {

namespace {

// The music's loudness under the effects: what the game has always used
// (three quarters of the mixer's full volume on the synthesiser's scale).
constexpr float kGain = 0.9F;
// Frames rendered at a time while the device asks for more.
constexpr int kBlockFrames = 1024;

// The synthesiser's own messages are kept from the terminal (it warns
// about every missing drum kit); its last error says why a font failed.
std::mutex gLogMutex;
std::string gLastError;

void keepError(int level, const char* message, void*)
{
    if (level > FLUID_ERR || message == nullptr)
        return;
    std::lock_guard<std::mutex> lock(gLogMutex);
    gLastError = message;
}

void quietLog()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR})
            fluid_set_log_function(level, keepError, nullptr);
        for (int level : {FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
    });
}

std::string takeError(const char* fallback)
{
    std::lock_guard<std::mutex> lock(gLogMutex);
    std::string error = gLastError.empty() ? fallback : gLastError;
    gLastError.clear();
    return error;
}

} // namespace

int MidiSynth::renderRate(int deviceRate) { return deviceRate >= 32000 ? deviceRate / 2 : deviceRate; }

std::unique_ptr<MidiSynth> MidiSynth::make(const std::filesystem::path& soundFont, std::string& error)
{
    quietLog();
    int deviceRate = 0, channels = 0;
    Uint16 format = 0;
    if (Mix_QuerySpec(&deviceRate, &format, &channels) == 0) {
        error = "the audio device is not open";
        return nullptr;
    }
    std::unique_ptr<MidiSynth> made(new MidiSynth());
    const int rate = renderRate(deviceRate);
    made->settings_ = new_fluid_settings();
    if (made->settings_ == nullptr) {
        error = "out of memory";
        return nullptr;
    }
    fluid_settings_setnum(made->settings_, "synth.sample-rate", rate);
    // The pieces' time is counted in rendered samples, not by a timer thread.
    fluid_settings_setstr(made->settings_, "player.timing-source", "sample");
    // Not pinned in memory: a game's music may be paged out like the rest.
    fluid_settings_setint(made->settings_, "synth.lock-memory", 0);
    made->synth_ = new_fluid_synth(made->settings_);
    if (made->synth_ == nullptr) {
        error = takeError("the synthesiser cannot be made");
        return nullptr;
    }
    if (fluid_synth_sfload(made->synth_, soundFont.string().c_str(), 1) == FLUID_FAILED) {
        error = takeError("the sound font does not load");
        return nullptr;
    }
    fluid_synth_set_gain(made->synth_, kGain);
    // Straight-line interpolation between a sample's points: what it
    // changes lies some 40 dB under the music, for a tenth less work.
    fluid_synth_set_interp_method(made->synth_, -1, FLUID_INTERP_LINEAR);
    made->resampler_ = SDL_NewAudioStream(AUDIO_F32SYS, 2, rate, format, static_cast<Uint8>(channels), deviceRate);
    if (made->resampler_ == nullptr) {
        error = SDL_GetError();
        return nullptr;
    }
    made->block_.resize(std::size_t{2} * kBlockFrames);
    return made;
}

MidiSynth::~MidiSynth()
{
    dropPlayer();
    if (resampler_)
        SDL_FreeAudioStream(resampler_);
    if (synth_)
        delete_fluid_synth(synth_);
    if (settings_)
        delete_fluid_settings(settings_);
}

// What was rendered ahead for the piece goes with it.
void MidiSynth::dropPlayer()
{
    if (player_) {
        fluid_player_stop(player_);
        delete_fluid_player(player_);
        player_ = nullptr;
    }
    if (resampler_)
        SDL_AudioStreamClear(resampler_);
}

void MidiSynth::load(std::vector<uint8_t> midi)
{
    std::lock_guard<std::mutex> lock(mutex_);
    dropPlayer();
    midi_ = std::move(midi);
}

void MidiSynth::unload() { load({}); }

void MidiSynth::play()
{
    std::lock_guard<std::mutex> lock(mutex_);
    dropPlayer();
    if (midi_.empty())
        return;
    // Whatever the piece before left set (instruments, controllers) goes.
    fluid_synth_system_reset(synth_);
    player_ = new_fluid_player(synth_);
    if (player_ == nullptr)
        return;
    if (fluid_player_add_mem(player_, midi_.data(), midi_.size()) != FLUID_OK ||
        fluid_player_play(player_) != FLUID_OK)
        dropPlayer();
}

void MidiSynth::stop()
{
    std::lock_guard<std::mutex> lock(mutex_);
    dropPlayer();
    fluid_synth_all_sounds_off(synth_, -1);
}

bool MidiSynth::playing() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return player_ != nullptr && fluid_player_get_status(player_) == FLUID_PLAYER_PLAYING;
}

void MidiSynth::render(void* self, uint8_t* stream, int bytes)
{
    auto& d = *static_cast<MidiSynth*>(self);
    std::lock_guard<std::mutex> lock(d.mutex_);
    int got = 0;
    // Stopped or without a piece, nothing is rendered: silent, and free.
    // A piece that has ended renders on, so its last notes and echo fade
    // out instead of stopping dead.
    if (d.player_) {
        while (SDL_AudioStreamAvailable(d.resampler_) < bytes) {
            fluid_synth_write_float(d.synth_, kBlockFrames, d.block_.data(), 0, 2, d.block_.data(), 1, 2);
            if (SDL_AudioStreamPut(d.resampler_, d.block_.data(), static_cast<int>(d.block_.size() * sizeof(float))) != 0)
                break;
        }
        got = std::max(SDL_AudioStreamGet(d.resampler_, stream, bytes), 0);
    }
    if (got < bytes)
        std::memset(stream + got, 0, static_cast<std::size_t>(bytes - got));
}

} // namespace quibix
