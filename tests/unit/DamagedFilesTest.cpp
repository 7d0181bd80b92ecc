// Every file the game reads, in turn missing, empty, random bytes, a folder
// or (pictures) a header claiming 10,000 x 10,000 pixels: the game still
// starts, plays shots, changes the background and closes. Effects and music
// go through the real SDL devices (dummy driver), so damaged sounds and MIDI
// files are really decoded.
#include "fakes/GameFixture.h"

#include "audio/SdlEffects.h"
#include "audio/SdlMusic.h"
#include "storage/SettingsFile.h"

#include <random>

namespace quibix::testing {
namespace {

namespace fs = std::filesystem;

// Missing, empty, random bytes, a folder, and (pictures only) a header
// claiming 10,000 x 10,000 pixels.
const char* const kDamages[] = {"missing", "empty", "random bytes", "a folder", "a 10000 x 10000 header"};
constexpr int kHugePicture = 4;

// A BMP header claiming the size and no pixels; the game reads pictures by
// their content, whatever the file is called.
std::string hugePictureHeader()
{
    std::string b = "BM";
    auto put32 = [&b](uint32_t v) { for (int i = 0; i < 4; ++i) b += char(v >> (8 * i)); };
    for (uint32_t v : {54u + 3u * 10000u * 10000u, 0u, 54u, 40u, 10000u, 10000u})
        put32(v);
    b.append("\x01\x00\x18\x00", 4);
    for (int i = 0; i < 6; ++i)
        put32(0);
    return b;
}

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
        std::ofstream(file, std::ios::binary) << hugePictureHeader();
}

// The real effects device, every effect played without waiting for its end:
// a damaged file is decoded all the same, and the test need not sit
// through good sounds in real time.
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

    // Sounds and MIDI files go to the real decoders; everything else to
    // recording fakes, which cost no time.
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
        // The music picks one MIDI file at random: the damaged one is left
        // as the only one.
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
