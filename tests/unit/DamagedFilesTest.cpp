// Every file the game reads, in turn missing, empty, random bytes, a folder
// or (pictures) a header claiming 10,000 x 10,000 pixels: the game still
// starts, plays shots, changes the background and closes. Effects and music
// go through the real SDL devices (dummy driver), so damaged sounds and MIDI
// files are really decoded.
#include "fakes/GameFixture.h"

#include "audio/SdlEffects.h"
#include "audio/SdlMusic.h"
#include "storage/SettingsFile.h"

#include <iterator>
#include <random>

namespace quibix::testing {
namespace {

namespace fs = std::filesystem;

enum class Damage { Missing, Empty, Random, Folder, HugePicture };
const char* const kDamageNames[] = {"missing", "empty", "random bytes", "a folder", "a 10000 x 10000 header"};

std::string readAll(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

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

void damage(const fs::path& file, Damage how, std::mt19937& random)
{
    fs::remove_all(file);
    switch (how) {
    case Damage::Missing: break;
    case Damage::Empty: std::ofstream(file, std::ios::binary); break;
    case Damage::Random: {
        std::string bytes(std::uniform_int_distribution<size_t>(1, 4096)(random), '\0');
        for (char& c : bytes)
            c = char(random());
        std::ofstream(file, std::ios::binary) << bytes;
        break;
    }
    case Damage::Folder: fs::create_directory(file); break;
    case Damage::HugePicture: std::ofstream(file, std::ios::binary) << hugePictureHeader(); break;
    }
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
    const char* built = std::getenv("QUIBIX_TEST_APP_DIR");
    ASSERT_TRUE(built != nullptr && fs::is_directory(fs::path(built) / "data")) << "no built data folder";
    std::vector<std::string> skins;
    for (const auto& entry : fs::directory_iterator(built))
        if (entry.is_directory()) {
            fs::copy(entry.path(), app / entry.path().filename(), fs::copy_options::recursive);
            if (entry.path().filename() != "data")
                skins.push_back(entry.path().filename().string());
        }

    // Every file of the data folder and of the skins, then the two files the
    // game writes beside them; a skin is chosen so that its files are read.
    struct Target {
        fs::path relative;
        std::string skin; // empty: the data folder's pictures
    };
    std::vector<Target> targets;
    const fs::path scores = "data/Quibix.dat", settings = "data/Quibix.cfg";
    fs::remove(app / scores);
    fs::remove(app / settings);
    for (const auto& entry : fs::recursive_directory_iterator(app))
        if (entry.is_regular_file()) {
            const fs::path relative = fs::relative(entry.path(), app);
            const std::string top = relative.begin()->string();
            targets.push_back({relative, top == "data" ? std::string() : "\\" + top + "\\"});
        }
    ASSERT_GT(targets.size(), 10u);
    const std::string skinForScoreRuns = skins.empty() ? std::string() : "\\" + skins.front() + "\\";
    targets.push_back({scores, skinForScoreRuns});
    targets.push_back({settings, skinForScoreRuns});

    // Sounds and MIDI files go to the real decoders; everything else to
    // recording fakes, which cost no time.
    EventLog log;
    FakeEffects fakeEffects{log};
    FakeMusic fakeMusic{log};
    UnwaitedEffects sdlEffects;
    SdlMusic sdlMusic;

    std::mt19937 random(20261207);
    int runs = 0;
    for (const Target& t : targets) {
        const fs::path file = app / t.relative;
        const std::string ext = t.relative.extension().string();
        const bool picture = ext == ".jpg" || ext == ".bmp" || ext == ".png";
        const bool sound = ext == ".wav" || ext == ".mid";
        const std::string original = fs::is_regular_file(file) ? readAll(file) : std::string();
        // The music picks one MIDI file at random: the damaged one is left
        // as the only one.
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
            // The skin to read, unless the settings file itself is the target.
            fs::remove_all(app / settings);
            if (!t.skin.empty() && t.relative != settings) {
                ASSERT_TRUE(SettingsFile(app / settings).write(configFor(4, 1, {0, 1, 2, 3, 4, 5}, t.skin)));
            }
            damage(file, how, random);
            SCOPED_TRACE(t.relative.string() + " " + kDamageNames[int(how)]);
            if (sound)
                play(app, sdlEffects, sdlMusic);
            else
                play(app, fakeEffects, fakeMusic);
            ++runs;
        }
        fs::remove_all(file);
        if (t.relative != scores && t.relative != settings) // a data or skin file, as it was
            std::ofstream(file, std::ios::binary) << original;
        for (const fs::path& other : setAside)
            fs::rename(other.string() + ".off", other);
    }
    std::printf("%zu files, %d damaged starts\n", targets.size(), runs);
}

} // namespace
} // namespace quibix::testing
