#include "golden/GoldenRun.h"

#include "fakes/FakePorts.h"
#include "form/Form1.h"
#include "form/MenuTable.h"
#include "game/Board.h"
#include "storage/ReplayFile.h"

#include <QColor>
#include <QImage>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

namespace quibix::golden {

using namespace quibix::testing;

namespace {

// The golden seeds: the game's seed first, then a fixed series, so each
// reseed shows in the draws.
class GoldenSeeds final : public SeedSource {
public:
    explicit GoldenSeeds(uint32_t seed) : seed_(seed) {}
    std::optional<uint32_t> nextSeed() override
    {
        if (!started_) {
            started_ = true;
            return seed_;
        }
        return seed_ * 7919u + ++reseeds_;
    }

private:
    uint32_t seed_, reseeds_ = 0;
    bool started_ = false;
};

// The game's generator with a log of its draws and reseeds: when in a
// handler they are drawn does not change what the player sees, only their
// order does.
class GoldenRandom final : public RandomSource {
public:
    explicit GoldenRandom(uint32_t seed) : seeds_(seed), random_(seeds_) {}
    std::string log;

    float next() override
    {
        const float v = random_.next();
        char text[32];
        log.append(text, std::snprintf(text, sizeof text, "%.9g\n", static_cast<double>(v)));
        return v;
    }
    std::optional<uint32_t> reseed() override
    {
        log += "reseed\n";
        return random_.reseed();
    }
    void setSeedSource(SeedSource* source) override { random_.setSeedSource(source); }

private:
    GoldenSeeds seeds_;
    SeededRandom random_;
};

using Codes = std::array<std::array<int, 16>, 18>; // [column][row], margin included

Codes readBoard(const Form1& f)
{
    Codes codes{};
    for (int c = 0; c < 18; ++c)
        for (int r = 0; r < 16; ++r)
            codes[c][r] = f.engine().board()(c, r).Tipo;
    return codes;
}

// Roughly where a shot at `angle` comes to rest. The bot only needs a good
// guess; the game decides.
std::pair<int, int> guessLanding(const Codes& codes, int bricks, int angle)
{
    float cx = 221, cy = 420, a = static_cast<float>(angle), start = 0;
    int lastC = 8, lastR = 14;
    for (int d = 10; d < 4000; d += 10) {
        const float phi = a * 3.1415927f / 180.0f;
        const float px = cx + (d - start) * std::cos(phi), py = cy - (d - start) * std::sin(phi);
        int r = std::clamp(static_cast<int>(std::lround(py - bricks * 25.0f)) / 25, 0, 15);
        int c = std::clamp(static_cast<int>(std::lround(px - (r % 2 ? 12 : 0))) / 25, 0, 17);
        if (py < 25) r = 0;
        if (px > 425 || (px <= 12 && std::cos(phi) < 0)) { // off a wall
            c = px > 425 ? 16 : 0;
            a = 180 - a;
            cx = px, cy = py, start = static_cast<float>(d);
        }
        if (codes[c][r] != 0)
            return {lastC, lastR};
        if (py < (bricks + 1) * 25.0f)
            return {c, r};
        lastC = c, lastR = r;
    }
    return {lastC, lastR};
}

int groupSize(Codes codes, int c0, int r0, int code)
{
    std::vector<std::pair<int, int>> todo{{c0, r0}};
    codes[c0][r0] = -1;
    int n = 0;
    for (; !todo.empty(); ++n) {
        auto [c, r] = todo.back();
        todo.pop_back();
        ForEachNeighbour(c, r, [&](int nc, int nr) {
            if (nc < 18 && nr < 16 && codes[nc][nr] == code) {
                codes[nc][nr] = -1;
                todo.emplace_back(nc, nr);
            }
        });
    }
    return n;
}

// The angle whose guessed landing joins the largest group of the loaded
// kind; now and then a random one, so the fuse burns and boards fill up.
int chooseAngle(const Form1& f, std::mt19937& bot)
{
    if (std::uniform_int_distribution<int>(0, 99)(bot) < 15)
        return std::uniform_int_distribution<int>(2, 178)(bot);
    const Codes codes = readBoard(f);
    int best = 90, bestSize = -1;
    for (int angle = 3 + static_cast<int>(bot() % 4); angle <= 178; angle += 4) {
        const auto [c, r] = guessLanding(codes, f.engine().ladrillos(), angle);
        const int size = groupSize(codes, c, r, f.engine().ficha() + 1);
        if (size > bestSize)
            bestSize = size, best = angle;
    }
    return best;
}

void writeFlat(const std::filesystem::path& file, QColor colour, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    // A few stripes, so a wrong copy of the background shows in the hash.
    for (int y = 0; y < size.height(); y += 37)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, 90));
    image.save(QString::fromStdString(file.string()), "PNG");
}

} // namespace

GameSpec goldenGame(int index)
{
    return {index, static_cast<uint32_t>(1000 + index), index % 6, (index / 6) % 2, 3 + (index / 12) % 4};
}

void writeGoldenFolder(const std::filesystem::path& app)
{
    namespace fs = std::filesystem;
    fs::create_directories(app / "data");
    for (const char* name : {"shoot.wav", "rebound.wav", "song1.mid", "song2.mid", "song3.mid"})
        std::ofstream(app / "data" / name, std::ios::binary) << "RIFF";
    // Pictures as JPEG names hold PNG data: loading goes by content, and
    // PNG decodes the same everywhere.
    const std::pair<const char*, QColor> pictures[] = {
        {"fondo1.jpg", {40, 90, 160}}, {"fondo2.jpg", {60, 120, 80}},  {"Fondo3.jpg", {120, 60, 90}},
        {"pareda.jpg", {200, 180, 60}}, {"paredb.jpg", {180, 60, 200}}, {"banda.jpg", {90, 40, 40}}};
    for (const auto& [name, colour] : pictures)
        writeFlat(app / "data" / name, colour, {name[0] == 'b' ? 98 : 442, 460});
}

GameResult playGame(const GameSpec& spec, const std::filesystem::path& appFolder)
{
    std::filesystem::remove(appFolder / "data" / "Quibix.dat");
    std::filesystem::remove_all(appFolder / "data" / "replays");
    GameResult result;
    EventLog events;
    FakeWindow window{events};
    FakeEffects effects{events};
    FakeMusic music{events};
    GoldenRandom random(spec.seed);
    std::mt19937 bot(spec.seed * 31u + 7u);
    window.trace = effects.trace = music.trace = [&](const std::string& line) { result.out += line + '\n'; };
    window.keepShown = false;
    // Every third name is cancelled, the others typed.
    for (int n = 1; n <= 30; ++n)
        window.answers.push_back(n % 3 ? std::optional("Bot " + std::to_string(n)) : std::nullopt);

    // As the real window starts: "Easy", "3" and "Square" checked.
    for (const MenuEntry& e : menuTable())
        if (e.checkedAtStart)
            window.setMenuChecked(*e.item, true);

    Engine rules(random);
    Form1 form(appFolder, window, effects, music, random, rules);
    form.Form_Load();
    if (spec.index % 7 == 3)
        form.MenuSound_Click(1); // effects off
    if (spec.index % 5 == 4)
        form.MenuSound_Click(0); // music off
    form.MenuLevel_Click(spec.level);
    form.setCombinaciones(static_cast<int16_t>(spec.group));
    form.setForma(static_cast<int16_t>(spec.shape));
    form.Picture1_Click(); // on the title screen: no shot
    form.cmdStart_Click();

    constexpr int kMaxShots = 150;
    for (int shot = 0; shot < kMaxShots; ++shot) {
        if (spec.index % 13 == 7 && shot == 10)
            form.MenuFile_Click(0); // New Game over a running one
        if (spec.index % 11 == 5 && shot == 15) {
            form.MenuFile_Click(1); // Stop Game
            break;
        }
        if (shot % 17 == 16)
            form.Form_KeyPress(27);
        if (shot % 23 == 22)
            form.MenuBack_Click(0);

        const int angle = chooseAngle(form, bot);
        // Now and then the pointer leaves the range on either side.
        float x = static_cast<float>(270 - angle);
        if (shot % 19 == 18)
            x = (shot % 2) ? -40.0f : 420.0f;
        form.Picture1_MouseMove(x, 300.0f);
        form.Picture1_Click();
        ++result.shots;
        if (window.titleVisible)
            break;
    }
    form.MenuFile_Click(1); // nothing to stop once the game is over
    form.Form_QueryUnload();
    form.Exit_Click();
    result.rand = std::move(random.log);
    return result;
}

std::vector<std::filesystem::path> recordedGames(const std::filesystem::path& appFolder)
{
    std::vector<std::filesystem::path> games;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(appFolder / "data" / "replays", ec))
        games.push_back(entry.path());
    std::sort(games.begin(), games.end()); // named by when they ended, then -2, -3...
    return games;
}

std::string watchGame(const GameSpec& spec, const std::filesystem::path& replay,
                      const std::filesystem::path& appFolder)
{
    std::string out;
    EventLog events;
    FakeWindow window{events};
    FakeEffects effects{events};
    FakeMusic music{events};
    GoldenRandom random(spec.seed + 1); // any other sequence: the game brings its own
    window.trace = effects.trace = music.trace = [&](const std::string& line) { out += line + '\n'; };
    window.keepShown = false;
    Engine rules(random);
    Form1 form(appFolder, window, effects, music, random, rules);
    form.Form_Load();
    if (spec.index % 7 == 3)
        form.MenuSound_Click(1);
    if (spec.index % 5 == 4)
        form.MenuSound_Click(0);
    const std::optional<Replay> game = readReplay(replay);
    if (!game)
        return "unreadable replay\n";
    form.watchReplay(*game);
    form.Exit_Click();
    return out;
}

std::vector<std::string> turnTrace(const std::string& out)
{
    std::vector<std::string> lines;
    std::istringstream in(out);
    bool playing = false;
    for (std::string line; std::getline(in, line);) {
        playing = playing || line == "title 0";
        const bool effect = line.rfind("sound ", 0) == 0 && line.find("win.wav") == std::string::npos;
        if (playing && (effect || line.rfind("caption 0 0 ", 0) == 0))
            lines.push_back(line);
    }
    return lines;
}

std::string summary(const GameSpec& spec, const GameResult& result)
{
    return std::to_string(spec.index) + " " + std::to_string(spec.seed) + " " + std::to_string(spec.shape) +
           " " + std::to_string(spec.level) + " " + std::to_string(spec.group) + " " +
           std::to_string(result.shots) + " " + hex(fnv1a(result.out.data(), result.out.size())) + " " +
           hex(fnv1a(result.rand.data(), result.rand.size())) + " " +
           std::to_string(std::count(result.out.begin(), result.out.end(), '\n'));
}

} // namespace quibix::golden
