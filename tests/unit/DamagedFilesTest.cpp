// Every file the game reads, damaged in turn: the game still starts, plays
// shots, changes the background and closes. Sounds and MIDI files go through
// the real SDL devices (dummy driver), so they are really decoded.
#include "fakes/GameFixture.h"

#include "audio/SdlEffects.h"
#include "audio/SdlMusic.h"
#include "storage/SettingsFile.h"

#include <random>

namespace quibix::testing {
namespace {

namespace fs = std::filesystem;

const char* const kDamages[] = {"missing", "empty", "random bytes", "a folder", "a 10000 x 10000 header"};
constexpr int kHugePicture = 4;

// A BMP header claiming 10,000 x 10,000 pixels and no pixels; pictures are
// read by their content, whatever the file is called.
const std::string kHugeBmp = std::string("BM\x36\xA3\xE1\x11" "\0\0\0\0" "\x36\0\0\0" "\x28\0\0\0"
                                         "\x10\x27\0\0" "\x10\x27\0\0" "\x01\0\x18\0", 30) +
                             std::string(24, '\0');

void damage(const fs::path& file, int how, std::mt19937& random)
{
    fs::remove_all(file);
    std::string bytes(std::uniform_int_distribution<size_t>(1, 4096)(random), '\0');
    for (char& c : bytes)
        c = char(random());
    if (how == 1)
        std::ofstream(file, std::ios::binary);
    else if (how == 2)
        std::ofstream(file, std::ios::binary) << bytes;
    else if (how == 3)
        fs::create_directory(file);
    else if (how == kHugePicture)
        std::ofstream(file, std::ios::binary) << kHugeBmp;
}

// The real device, never waiting for a sound's end.
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
    window.checkedItems[MenuItem::Easy] = true;
    window.checkedItems[MenuItem::Combinations3] = true;
    window.checkedItems[MenuItem::ShapeSquare] = true;
    window.checkedItems[MenuItem::Music] = true;
    window.checkedItems[MenuItem::FxSound] = true;
    FixedSequenceRandom random{{0.1f, 0.7f, 0.3f, 0.9f, 0.5f}};
    Form1 game(app, window, effects, music, random);
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
    const char* env = std::getenv("QUIBIX_TEST_APP_DIR");
    const fs::path built = env ? env : "";
    ASSERT_TRUE(fs::is_directory(built / "data")) << "no built data folder";
    const fs::path scores = "data/Quibix.dat", settings = "data/Quibix.cfg";
    for (const auto& dir : fs::directory_iterator(built)) // the data folder and the skins
        if (dir.is_directory())
            fs::copy(dir.path(), app / dir.path().filename(), fs::copy_options::recursive);
    fs::remove(app / scores);
    fs::remove(app / settings);
    std::vector<fs::path> targets{scores, settings};
    for (const auto& entry : fs::recursive_directory_iterator(app))
        if (entry.is_regular_file())
            targets.push_back(fs::relative(entry.path(), app));
    ASSERT_GT(targets.size(), 10u);

    EventLog log;
    FakeEffects fakeEffects{log};
    FakeMusic fakeMusic{log};
    UnwaitedEffects sdlEffects;
    SdlMusic sdlMusic;

    std::mt19937 random(20261207);
    for (const fs::path& target : targets) {
        const fs::path file = app / target;
        const std::string ext = target.extension().string(), top = target.begin()->string();
        const bool picture = ext == ".jpg" || ext == ".bmp" || ext == ".png";
        const bool sound = ext == ".wav" || ext == ".mid";
        // The music picks a MIDI file at random: leave the damaged one alone.
        std::vector<fs::path> setAside;
        if (ext == ".mid")
            for (const auto& entry : fs::directory_iterator(file.parent_path()))
                if (entry.path() != file && entry.path().extension() == ".mid") {
                    fs::rename(entry.path(), entry.path().string() + ".off");
                    setAside.push_back(entry.path());
                }
        for (int how = 0; how < (picture ? 5 : 4); ++how) {
            // A skin's file is read only with that skin chosen.
            fs::remove_all(app / settings);
            if (top != "data") {
                ASSERT_TRUE(SettingsFile(app / settings).write(configFor(4, 1, {0, 1, 2, 3, 4, 5}, "\\" + top + "\\")));
            }
            damage(file, how, random);
            SCOPED_TRACE(target.string() + " " + kDamages[how]);
            if (sound)
                play(app, sdlEffects, sdlMusic);
            else
                play(app, fakeEffects, fakeMusic);
        }
        fs::remove_all(file);
        if (target != scores && target != settings) // a data or skin file, as it was
            fs::copy_file(built / target, file);
        for (const fs::path& other : setAside)
            fs::rename(other.string() + ".off", other);
    }
}

} // namespace
} // namespace quibix::testing
