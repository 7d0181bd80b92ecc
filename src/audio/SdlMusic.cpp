#include "audio/SdlMusic.h"

#include "audio/MidiCheck.h"
#include "audio/SdlMixer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <malloc.h>

#include <chrono>
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

// A MIDI file with one empty track: it loads whenever the synthesiser and
// its sound font work, so it tells their failure from a file's.
constexpr uint8_t kEmptyMidi[] = {
    'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,
    'M', 'T', 'r', 'k', 0, 0, 0, 4, 0, 0xFF, 0x2F, 0,
};

// The synthesiser at full volume can clip when every part plays at once;
// this keeps the music under the effects.
constexpr int kMusicVolume = 96;

// Music wanted by nobody this long (unchecked, or the game closed the
// device) gives the synthesiser's memory back; the next piece makes it anew.
// Each loaded piece is a whole synthesiser with the sound font read in
// (some 14 MB), so no other is kept beside it: a new piece reads the font
// again, on the worker, in a few tens of milliseconds.
constexpr std::chrono::milliseconds kFreeSynthAfter{3000};

} // namespace

// Loading a piece makes a whole synthesiser (hundreds of milliseconds on a
// busy machine), so it happens on a worker thread, started by the first
// "open": the game's commands only note what is wanted and return at once,
// and the piece starts when it is ready. The worker also opens the audio
// device when music is the first to need it, and frees the synthesiser
// while no music is wanted. Everything below `mutex` is shared with the worker; SDL_mixer
// calls that take the audio lock may be made while holding it (the audio
// thread never takes ours).
struct SdlMusic::Impl {
    std::shared_ptr<SdlMixer> mixer;
    int user = -1;                  // our id with the mixer
    std::filesystem::path fileName; // main thread only
    bool enabled = false;           // set once in the constructor

    std::mutex mutex;
    std::condition_variable wake; // the worker has something to do
    std::condition_variable rest; // the worker has nothing left to do
    // Idle: no synthesiser (none made yet, or freed while music was off).
    enum class Synth { Idle, Warming, Ready, Failed } synth = Synth::Idle;
    bool quit = false;
    bool open = false;
    std::filesystem::path openFile;
    // Bumped whenever the open piece changes, so a load that finishes for
    // a piece no longer wanted is thrown away.
    unsigned generation = 0;
    std::optional<std::filesystem::path> pendingLoad;
    bool loading = false;
    bool wantPlay = false;
    std::chrono::steady_clock::time_point unwantedSince; // when wantPlay last became false
    Mix_Music* piece = nullptr;
    std::vector<Mix_Music*> discard; // freed by the worker, off the game's thread
    std::set<std::string> told;      // each problem is told once per run

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
        unwantLocked();
        open = false;
        openFile.clear();
        ++generation;
    }

    void unwantLocked()
    {
        if (wantPlay) {
            unwantedSince = std::chrono::steady_clock::now();
            wake.notify_one(); // to count down to freeing the synthesiser
        }
        wantPlay = false;
    }

    bool busyLocked() const { return loading || pendingLoad.has_value() || !discard.empty(); }

    // Before the mixer closes the device: nothing of ours may be left in
    // it, so only a freed synthesiser with nothing on its way lets go.
    bool letGo()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return synth == Synth::Idle && !piece && !busyLocked();
    }

    void startLocked(Mix_Music* music)
    {
        mixer->use(); // wakes a device paused by silence
        Mix_VolumeMusic(kMusicVolume);
        if (Mix_PlayMusic(music, 0) != 0)
            tellLocked("play", std::string("cannot play music (") + Mix_GetError() + ")");
    }

    // Whether the synthesiser and its sound font can be made at all, asked
    // when a piece that passed the file check does not load (worker only,
    // unlocked). The empty piece is freed at once.
    static bool synthWorks()
    {
        SDL_RWops* rw = SDL_RWFromConstMem(kEmptyMidi, sizeof kEmptyMidi);
        Mix_Music* probe = rw ? Mix_LoadMUSType_RW(rw, MUS_MID, 1) : nullptr;
        if (probe)
            Mix_FreeMusic(probe);
        return probe != nullptr;
    }

    // Frees the loaded piece and with it the synthesiser, giving their
    // memory back to the system; the commands meanwhile find no piece and
    // ask for a load.
    void freeSynth(std::unique_lock<std::mutex>& lock)
    {
        Mix_Music* stale = piece;
        piece = nullptr;
        lock.unlock();
        if (stale)
            Mix_FreeMusic(stale);
        malloc_trim(0);
        lock.lock();
        synth = Synth::Idle; // only now may the device close
    }

    void run()
    {
        std::unique_lock<std::mutex> lock(mutex);
        auto hasWork = [this] { return quit || pendingLoad || !discard.empty(); };
        for (;;) {
            rest.notify_all();
            if (synth == Synth::Ready && !wantPlay) {
                if (!wake.wait_until(lock, unwantedSince + kFreeSynthAfter, hasWork)) {
                    // Still unwanted (a "play" meanwhile needs no wake-up).
                    if (!wantPlay && std::chrono::steady_clock::now() >= unwantedSince + kFreeSynthAfter)
                        freeSynth(lock);
                    continue;
                }
            } else {
                wake.wait(lock, [&] { return hasWork() || (synth == Synth::Ready && !wantPlay); });
            }
            std::vector<Mix_Music*> trash;
            trash.swap(discard);
            const std::optional<std::filesystem::path> file = pendingLoad;
            pendingLoad.reset();
            const unsigned wanted = generation;
            loading = file.has_value() && synth != Synth::Failed && !quit;
            const bool create = loading && synth == Synth::Idle;
            if (create)
                synth = Synth::Warming;

            lock.unlock();
            for (Mix_Music* m : trash)
                Mix_FreeMusic(m);
            const bool device = create ? mixer->use() : true;
            Mix_Music* loaded = loading && device ? Mix_LoadMUS(file->string().c_str()) : nullptr;
            const std::string error = loading && !loaded ? Mix_GetError() : "";
            const bool made = device && (loaded || !create || synthWorks());
            lock.lock();

            const bool tried = loading;
            loading = false;
            if (create && !made) {
                synth = Synth::Failed;
                tellLocked("synth", "cannot start the MIDI synthesiser (" + error + "); music is off");
                closeLocked();
                continue;
            }
            if (create) {
                synth = Synth::Ready;
                if (!wantPlay) // made for a piece only opened: kept a while all the same
                    unwantedSince = std::chrono::steady_clock::now();
            }
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
    impl_->user = impl_->mixer->addUser([d = impl_.get()] { return d->letGo(); });
    std::string why;
    const auto font = findSoundFont(search, why);
    if (!font) {
        std::fprintf(stderr, "Quibix: %s; music is off\n", why.c_str());
        return;
    }
    Mix_SetSoundFonts(font->string().c_str());
    impl_->enabled = true;
}

SdlMusic::~SdlMusic()
{
    impl_->mixer->removeUser(impl_->user);
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
    if (command == "open" && !d.worker.joinable())
        d.worker = std::thread([&d] { d.run(); });
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
        d.unwantLocked();
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

bool SdlMusic::synthesiserAlive() const
{
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->synth == Impl::Synth::Ready || impl_->synth == Impl::Synth::Warming;
}

} // namespace quibix
