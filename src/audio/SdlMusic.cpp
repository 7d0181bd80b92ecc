#include "audio/SdlMusic.h"

#include "audio/MidiCheck.h"
#include "audio/SdlMixer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace quibix {

namespace {

// A MIDI file with one empty track: loading it makes FluidSynth read the
// sound font, whose samples it then keeps cached while this stays loaded.
constexpr uint8_t kEmptyMidi[] = {
    'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,
    'M', 'T', 'r', 'k', 0, 0, 0, 4, 0, 0xFF, 0x2F, 0,
};

// The synthesiser at full volume can clip when every part plays at once;
// this keeps the music under the effects.
constexpr int kMusicVolume = 96;

} // namespace

// Loading a piece makes a whole synthesiser (hundreds of milliseconds on a
// busy machine), so it happens on a worker thread: the game's commands only
// note what is wanted and return at once, and the piece starts when it is
// ready. Everything below `mutex` is shared with the worker; SDL_mixer
// calls that take the audio lock may be made while holding it (the audio
// thread never takes ours).
struct SdlMusic::Impl {
    std::shared_ptr<SdlMixer> mixer;
    std::filesystem::path fileName; // main thread only
    bool enabled = false;           // set once in the constructor

    std::mutex mutex;
    std::condition_variable wake; // the worker has something to do
    std::condition_variable rest; // the worker has nothing left to do
    enum class Synth { Warming, Ready, Failed } synth = Synth::Warming;
    bool quit = false;
    bool open = false;
    std::filesystem::path openFile;
    // Bumped whenever the open piece changes, so a load that finishes for
    // a piece no longer wanted is thrown away.
    unsigned generation = 0;
    std::optional<std::filesystem::path> pendingLoad;
    bool loading = false;
    bool wantPlay = false;
    Mix_Music* piece = nullptr;
    std::vector<Mix_Music*> discard; // freed by the worker, off the game's thread
    std::set<std::string> told;      // each problem is told once per run

    Mix_Music* keeper = nullptr; // worker only, until joined
    std::thread worker;

    void tellLocked(const std::string& key, const std::string& line)
    {
        if (told.insert(key).second)
            std::fprintf(stderr, "Quibix: %s\n", line.c_str());
    }

    void closeLocked()
    {
        if (piece) {
            Mix_HaltMusic();
            discard.push_back(piece);
            piece = nullptr;
            wake.notify_one();
        }
        pendingLoad.reset();
        wantPlay = false;
        open = false;
        openFile.clear();
        ++generation;
    }

    bool busyLocked() const { return loading || pendingLoad.has_value() || !discard.empty(); }

    void startLocked(Mix_Music* music)
    {
        Mix_VolumeMusic(kMusicVolume);
        if (Mix_PlayMusic(music, 0) != 0)
            tellLocked("play", std::string("cannot play music (") + Mix_GetError() + ")");
    }

    void run()
    {
        SDL_RWops* rw = SDL_RWFromConstMem(kEmptyMidi, sizeof kEmptyMidi);
        keeper = rw ? Mix_LoadMUSType_RW(rw, MUS_MID, 1) : nullptr;
        std::unique_lock<std::mutex> lock(mutex);
        if (keeper) {
            synth = Synth::Ready;
        } else {
            synth = Synth::Failed;
            tellLocked("synth", std::string("cannot start the MIDI synthesiser (") + SDL_GetError() +
                                    "); music is off");
            closeLocked();
        }
        for (;;) {
            rest.notify_all();
            wake.wait(lock, [this] { return quit || pendingLoad || !discard.empty(); });
            std::vector<Mix_Music*> trash;
            trash.swap(discard);
            const std::optional<std::filesystem::path> file = pendingLoad;
            pendingLoad.reset();
            const unsigned wanted = generation;
            loading = file.has_value() && synth == Synth::Ready && !quit;

            lock.unlock();
            for (Mix_Music* m : trash)
                Mix_FreeMusic(m);
            Mix_Music* loaded = loading ? Mix_LoadMUS(file->string().c_str()) : nullptr;
            const std::string error = loading && !loaded ? Mix_GetError() : "";
            lock.lock();

            const bool tried = loading;
            loading = false;
            if (quit && !tried && discard.empty())
                break;
            if (!tried)
                continue;
            if (wanted != generation || !open) {
                if (loaded)
                    discard.push_back(loaded);
                continue;
            }
            if (!loaded) {
                tellLocked("file " + file->string(),
                           "cannot play music file " + file->string() + " (" + error + "); it is skipped");
                closeLocked();
                continue;
            }
            piece = loaded;
            if (wantPlay)
                startLocked(piece);
        }
        rest.notify_all();
    }
};

SdlMusic::SdlMusic(const SoundFontSearch& search) : impl_(std::make_unique<Impl>())
{
    impl_->mixer = SdlMixer::acquire();
    if (!impl_->mixer->open())
        return; // the mixer has said why
    std::string why;
    const auto font = findSoundFont(search, why);
    if (!font) {
        std::fprintf(stderr, "Quibix: %s; music is off\n", why.c_str());
        return;
    }
    Mix_SetSoundFonts(font->string().c_str());
    impl_->enabled = true;
    impl_->worker = std::thread([impl = impl_.get()] { impl->run(); });
}

SdlMusic::~SdlMusic()
{
    if (impl_->worker.joinable()) {
        {
            std::lock_guard<std::mutex> lock(impl_->mutex);
            impl_->closeLocked();
            impl_->quit = true;
        }
        impl_->wake.notify_one();
        impl_->worker.join();
    }
    for (Mix_Music* m : impl_->discard)
        Mix_FreeMusic(m);
    if (impl_->keeper)
        Mix_FreeMusic(impl_->keeper);
}

void SdlMusic::setDeviceType(const std::string&) {}
void SdlMusic::setNotify(bool) {}
void SdlMusic::setWait(bool) {}

void SdlMusic::setFileName(const std::filesystem::path& file) { impl_->fileName = file; }

void SdlMusic::command(const std::string& command)
{
    Impl& d = *impl_;
    if (!d.enabled)
        return;
    if (command == "open") {
        {
            std::lock_guard<std::mutex> lock(d.mutex);
            if (d.open && d.openFile == d.fileName)
                return; // already open with this file
            d.closeLocked();
        }
        if (d.fileName.empty())
            return;
        // Checked here, so a damaged file is told about by name and never
        // reaches the synthesiser.
        std::string why;
        const bool good = checkMidiFile(d.fileName, why);
        std::lock_guard<std::mutex> lock(d.mutex);
        if (!good) {
            d.tellLocked("file " + d.fileName.string(),
                         "music file " + d.fileName.string() + " " +
                             (why == "cannot be read" ? why : "is damaged (" + why + ")") + "; it is skipped");
            return;
        }
        if (d.synth == Impl::Synth::Failed)
            return;
        d.open = true;
        d.openFile = d.fileName;
        ++d.generation;
    } else if (command == "play") {
        std::lock_guard<std::mutex> lock(d.mutex);
        if (!d.open)
            return;
        d.wantPlay = true;
        if (d.piece) {
            if (!Mix_PlayingMusic())
                d.startLocked(d.piece);
        } else if (!d.loading && !d.pendingLoad) {
            d.pendingLoad = d.openFile;
            d.wake.notify_one();
        }
    } else if (command == "stop") {
        std::lock_guard<std::mutex> lock(d.mutex);
        d.wantPlay = false;
        if (d.piece)
            Mix_HaltMusic();
    } else if (command == "close") {
        std::lock_guard<std::mutex> lock(d.mutex);
        d.closeLocked();
    }
}

int SdlMusic::mode() const
{
    Impl& d = *impl_;
    std::lock_guard<std::mutex> lock(d.mutex);
    if (!d.open)
        return kMusicNotOpen;
    // Still loading a piece that is to play counts as busy, like a device
    // that is seeking.
    if (d.wantPlay && !d.piece && (d.loading || d.pendingLoad))
        return kMusicPlaying;
    return d.piece && Mix_PlayingMusic() ? kMusicPlaying : kMusicStopped;
}

bool SdlMusic::available() const
{
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->enabled && impl_->synth != Impl::Synth::Failed;
}

void SdlMusic::waitUntilReady()
{
    Impl& d = *impl_;
    if (!d.worker.joinable())
        return;
    std::unique_lock<std::mutex> lock(d.mutex);
    d.rest.wait(lock, [&d] { return d.synth != Impl::Synth::Warming && !d.busyLocked(); });
}

} // namespace quibix
