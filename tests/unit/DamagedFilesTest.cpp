// Every file the game reads, in turn missing, empty, random bytes, a folder
// or (pictures) a header claiming 10,000 x 10,000 pixels: the game still
// starts, plays shots, changes the background and closes.
#include "fakes/FileBytes.h"
#include "fakes/GameFixture.h"

#include "audio/SdlEffects.h"
#include "audio/SdlMusic.h"
#include "storage/SettingsFile.h"

#include <random>

namespace quibix::testing {
namespace {

namespace fs = std::filesystem;

enum class Damage { Missing, Empty, Random, Folder, HugePicture };
const char* const kDamageNames[] = {"missing", "empty", "random bytes", "a folder", "a 10000 x 10000 header"};

// A BMP header claiming the size and no pixels; the game reads pictures by
// their content, whatever the file is called.
const std::string kHugeBmp = std::string("BM\x36\xA3\xE1\x11" "\0\0\0\0" "\x36\0\0\0" "\x28\0\0\0"
                                         "\x10\x27\0\0" "\x10\x27\0\0" "\x01\0\x18\0", 30) +
                             std::string(24, '\0');

void damage(const fs::path& file, Damage how, std::mt19937& random)
{
    fs::remove_all(file);
    std::string bytes = how == Damage::HugePicture ? kHugeBmp : "";
    if (how == Damage::Random) {
        bytes.resize(std::uniform_int_distribution<size_t>(1, 4096)(random));
        for (char& c : bytes)
            c = char(random());
    }
    if (how == Damage::Folder)
        fs::create_directory(file);
    else if (how != Damage::Missing)
        std::ofstream(file, std::ios::binary) << bytes;
}

// The real effects device, never waiting for a sound's end: a damaged file
// is decoded all the same.
class UnwaitedEffects final : public EffectsPort {
public:
    void play(const fs::path& file, int16_t flags) override { device_.play(file, flags | kSoundAsync); }

private:
    SdlEffects device_{[](int) {}};
};

// Start-up, a game with a few shots, a background change, the close.
void play(const fs::path& app, EffectsPort& effects, MusicDevicePort& music)
{
    EventLog log;
    FakeWindow window{log};
    // Nothing here looks at the shown images; keeping them would make every
    // frame copy the whole field, which a sanitizer build pays dearly for.
    window.keepShown = false;
    window.checkedItems = {{MenuItem::Easy, true}, {MenuItem::Combinations3, true}, {MenuItem::ShapeSquare, true},
                           {MenuItem::Music, true}, {MenuItem::FxSound, true}};
    FixedSequenceRandom random{{0.1f, 0.7f, 0.3f, 0.9f, 0.5f}};
    Engine rules(random);
    Form1 game(app, window, effects, music, random, rules);
    game.Form_Load();
    game.MMControl1_StatusUpdate(); // the music device's first status event
    game.cmdStart_Click();
    for (float x : {100.0f, 300.0f}) {
        game.Picture1_MouseMove(x, 200);
        game.Picture1_Click();
    }
    game.MenuBack_Click(0);
    game.MMControl1_StatusUpdate();
    game.Form_QueryUnload();
    EXPECT_TRUE(window.quitRequested);
}

TEST(DamagedFiles, EveryFileTheGameReadsMissingOrDamagedStillPlaysAndCloses)
{
    TempAppFolder folder;
    const fs::path app = folder.path();
    const char* built = std::getenv("QUIBIX_TEST_APP_DIR");
    ASSERT_TRUE(built != nullptr && fs::is_directory(fs::path(built) / "data")) << "no built data folder";
    std::string skinForScoreRuns; // the first skin
    for (const auto& entry : fs::directory_iterator(built))
        if (entry.is_directory()) {
            fs::copy(entry.path(), app / entry.path().filename(), fs::copy_options::recursive);
            if (entry.path().filename() != "data" && skinForScoreRuns.empty())
                skinForScoreRuns = "\\" + entry.path().filename().string() + "\\";
        }

    // Every file of the data folder and the skins, then the two files the game writes.
    std::vector<fs::path> targets;
    const fs::path scores = "data/Quibix.dat", settings = "data/Quibix.cfg";
    fs::remove(app / scores);
    fs::remove(app / settings);
    for (const auto& entry : fs::recursive_directory_iterator(app))
        if (entry.is_regular_file())
            targets.push_back(fs::relative(entry.path(), app));
    ASSERT_GT(targets.size(), 10u);
    targets.push_back(scores);
    targets.push_back(settings);

    // Sounds and MIDI files go to the real SDL decoders (dummy driver);
    // everything else to recording fakes, which cost no time.
    EventLog log;
    FakeEffects fakeEffects{log};
    FakeMusic fakeMusic{log};
    UnwaitedEffects sdlEffects;
    SdlMusic sdlMusic;

    std::mt19937 random(20261207);
    for (const fs::path& target : targets) {
        const fs::path file = app / target;
        const std::string ext = target.extension().string(), top = target.begin()->string();
        // A skin's files are read with that skin chosen; the scores with a skin too.
        const std::string skin = top != "data" ? "\\" + top + "\\" : target == scores ? skinForScoreRuns : "";
        const bool picture = ext == ".jpg" || ext == ".bmp" || ext == ".png";
        const bool sound = ext == ".wav" || ext == ".mid";
        const std::string original = fs::is_regular_file(file) ? fileBytes(file) : std::string();
        // The music picks a MIDI file at random: the damaged one is left alone.
        std::vector<fs::path> setAside;
        if (ext == ".mid")
            for (const auto& entry : fs::directory_iterator(file.parent_path()))
                if (entry.path() != file && entry.path().extension() == ".mid") {
                    fs::rename(entry.path(), entry.path().string() + ".off");
                    setAside.push_back(entry.path());
                }
        for (Damage how : {Damage::Missing, Damage::Empty, Damage::Random, Damage::Folder, Damage::HugePicture}) {
            if (how == Damage::HugePicture && !picture)
                continue;
            fs::remove_all(app / settings);
            if (!skin.empty()) {
                ASSERT_TRUE(SettingsFile(app / settings).write(configFor(4, 1, {0, 1, 2, 3, 4, 5}, skin)));
            }
            damage(file, how, random);
            SCOPED_TRACE(target.string() + " " + kDamageNames[int(how)]);
            if (sound)
                play(app, sdlEffects, sdlMusic);
            else
                play(app, fakeEffects, fakeMusic);
        }
        fs::remove_all(file);
        if (target != scores && target != settings) // a data or skin file, as it was
            std::ofstream(file, std::ios::binary) << original;
        for (const fs::path& other : setAside)
            fs::rename(other.string() + ".off", other);
    }
}

} // namespace
} // namespace quibix::testing
