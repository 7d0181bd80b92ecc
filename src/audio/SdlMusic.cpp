#include "audio/SdlMusic.h"

#include "audio/MidiCheck.h"
#include "audio/MidiSynth.h"
#include "audio/SdlMixer.h"

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

// Music wanted by nobody this long (unchecked, or the game closed the
// device) gives the synthesiser's memory back; the next piece makes it anew.
constexpr std::chrono::milliseconds kFreeSynthAfter{3000};

} // namespace

// Making the synthesiser reads the whole sound font (hundreds of
// milliseconds on a busy machine), so it happens on a worker thread,
// started by the first "open": the game's commands only note what is
// wanted and return at once, and the piece starts when it is ready. The
// worker also opens the audio device when music is the first to need it,
// and frees the synthesiser while no music is wanted. Everything below
// `mutex` is shared with the worker. SDL_mixer calls that take the audio
// lock may be made while holding it: the audio thread only ever takes the
// synthesiser's own lock.
struct SdlMusic::Impl {
    std::shared_ptr<SdlMixer> mixer;
    int user = -1;                  // our id with the mixer
    std::filesystem::path fileName; // main thread only
    std::filesystem::path soundFont;
    bool enabled = false; // set once in the constructor

    std::mutex mutex;
    std::condition_variable wake; // the worker has something to do
    std::condition_variable rest; // the worker has nothing left to do
    // Idle: no synthesiser (none made yet, or freed while music was off).
    enum class Synth { Idle, Warming, Ready, Failed } synth = Synth::Idle;
    std::unique_ptr<MidiSynth> synthesiser; // made and playing into the mixer while Ready
    bool quit = false;
    bool open = false;
    std::filesystem::path openFile;
    std::vector<uint8_t> openPiece; // the open file's bytes, as checked
    // Bumped whenever the open piece changes, so a load that finishes for
    // a piece no longer wanted is thrown away.
    unsigned generation = 0;
    bool pendingLoad = false; // the open piece is to go into the synthesiser
    bool loading = false;
    bool pieceLoaded = false; // the open piece is in the synthesiser
    bool wantPlay = false;
    std::chrono::steady_clock::time_point unwantedSince; // when wantPlay last became false
    std::set<std::string> told;                          // each problem is told once per run

    std::thread worker;

    void tellLocked(const std::string& key, const std::string& line)
    {
        if (told.insert(key).second)
            std::fprintf(stderr, "Quibix: %s\n", line.c_str());
    }

    void closeLocked()
    {
        if (pieceLoaded)
            synthesiser->unload();
        pieceLoaded = false;
        pendingLoad = false;
        unwantLocked();
        open = false;
        openFile.clear();
        openPiece.clear();
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

    bool busyLocked() const { return loading || pendingLoad; }

    // Before the mixer closes the device: nothing of ours may be left in
    // it, so only a freed synthesiser with nothing on its way lets go.
    bool letGo()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return synth == Synth::Idle && !busyLocked();
    }

    void startLocked()
    {
        mixer->use(); // counts as sound, so the device stays open
        synthesiser->play();
    }

    // Unhooks the synthesiser from the mixer and frees it, giving its
    // memory back to the system; the commands meanwhile find no piece and
    // ask for a load.
    void freeSynth(std::unique_lock<std::mutex>& lock)
    {
        Mix_HookMusic(nullptr, nullptr); // the audio thread is done with it once this returns
        std::unique_ptr<MidiSynth> gone = std::move(synthesiser);
        pieceLoaded = false;
        lock.unlock();
        gone.reset();
        malloc_trim(0);
        lock.lock();
        synth = Synth::Idle; // only now may the device close
    }

    void run()
    {
        std::unique_lock<std::mutex> lock(mutex);
        auto hasWork = [this] { return quit || pendingLoad; };
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
            if (quit)
                break;
            if (!pendingLoad || synth == Synth::Failed)
                continue;
            pendingLoad = false;
            const unsigned wanted = generation;
            loading = true;
            const bool create = synth == Synth::Idle;
            if (create)
                synth = Synth::Warming;

            lock.unlock();
            std::string error = "no audio device";
            std::unique_ptr<MidiSynth> made =
                create && mixer->use() ? MidiSynth::make(soundFont, error) : nullptr;
            lock.lock();

            loading = false;
            if (create && !made) {
                synth = Synth::Failed;
                tellLocked("synth", "cannot start the MIDI synthesiser (" + error + "); music is off");
                closeLocked();
                continue;
            }
            if (create) {
                synthesiser = std::move(made);
                Mix_HookMusic(&MidiSynth::render, synthesiser.get());
                synth = Synth::Ready;
                if (!wantPlay) // made for a piece only opened: kept a while all the same
                    unwantedSince = std::chrono::steady_clock::now();
            }
            if (wanted != generation || !open)
                continue;
            synthesiser->load(openPiece);
            pieceLoaded = true;
            if (wantPlay)
                startLocked();
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
    impl_->soundFont = *font;
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
    if (impl_->synthesiser) {
        Mix_HookMusic(nullptr, nullptr);
        impl_->synthesiser.reset();
    }
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
        std::optional<std::vector<uint8_t>> piece = readMidiFile(d.fileName, why);
        std::lock_guard<std::mutex> lock(d.mutex);
        if (!piece) {
            d.tellLocked("file " + d.fileName.string(),
                         "music file " + d.fileName.string() + " " +
                             (why == "cannot be read" ? why : "is damaged (" + why + ")") + "; it is skipped");
            return;
        }
        if (d.synth == Impl::Synth::Failed)
            return;
        d.open = true;
        d.openFile = d.fileName;
        d.openPiece = std::move(*piece);
        ++d.generation;
    } else if (command == "play") {
        std::lock_guard<std::mutex> lock(d.mutex);
        if (!d.open)
            return;
        d.wantPlay = true;
        if (d.pieceLoaded) {
            if (!d.synthesiser->playing())
                d.startLocked();
        } else if (!d.loading && !d.pendingLoad) {
            d.pendingLoad = true;
            d.wake.notify_one();
        }
    } else if (command == "stop") {
        std::lock_guard<std::mutex> lock(d.mutex);
        d.unwantLocked();
        if (d.pieceLoaded)
            d.synthesiser->stop();
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
    if (d.wantPlay && !d.pieceLoaded && d.busyLocked())
        return kMusicPlaying;
    return d.pieceLoaded && d.synthesiser->playing() ? kMusicPlaying : kMusicStopped;
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
