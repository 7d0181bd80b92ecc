#include "golden/GoldenRun.h"

#include "form/Form1.h"
#include "game/Board.h"

#include <QColor>
#include <QImage>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <random>

namespace quibix::golden {

namespace {

// 64-bit FNV-1a, for logs and file contents.
uint64_t fnv1a(const void* data, std::size_t size, uint64_t h = 1469598103934665603ull)
{
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i)
        h = (h ^ p[i]) * 1099511628211ull;
    return h;
}

// A hash of an image's visible pixels (padding bytes excluded), fast enough
// for every frame of hundreds of games: each 8-byte word is keyed by its
// position and multiplied, and the sum has no dependency chain.
uint64_t imageHash(const QImage& image)
{
    uint64_t h = 1469598103934665603ull;
    const int bytesPerRow = image.width() * image.depth() / 8;
    const int words = bytesPerRow / 8;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(y);
        uint64_t sum = 0;
        const uint64_t rowKey = 0x9E3779B97F4A7C15ull * static_cast<uint64_t>(y + 1);
        for (int i = 0; i < words; ++i) {
            uint64_t w;
            std::memcpy(&w, row + 8 * i, 8);
            sum += (w ^ (rowKey + 0xC2B2AE3D27D4EB4Full * static_cast<uint64_t>(i))) * 0x100000001B3ull;
        }
        h = fnv1a(&sum, sizeof sum, h);
        h = fnv1a(row + 8 * words, static_cast<std::size_t>(bytesPerRow - 8 * words), h);
    }
    const uint64_t size[3] = {static_cast<uint64_t>(image.width()), static_cast<uint64_t>(image.height()),
                              static_cast<uint64_t>(image.format())};
    return fnv1a(size, sizeof size, h);
}

std::string hex(uint64_t v)
{
    char text[20];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(v));
    return text;
}

std::string hash(const QImage& image) { return hex(imageHash(image)); }
std::string flag(bool b) { return b ? "1" : "0"; }
std::string num(int n) { return std::to_string(n); }

// Every port of the game in one: all it does to the outside goes to the
// `out` log (presents with a hash of the image), random draws and reseeds
// to `rand`, since when in a handler they are drawn does not change what
// the player sees, only their order does. Each reseed moves to the next
// seed of a fixed series, so reseeding shows in the draws.
class Recorder final : public WindowPort, public EffectsPort, public MusicDevicePort, public RandomSource {
public:
    explicit Recorder(uint32_t seed) : seed_(seed), engine_(seed) {}
    std::string out, rand;
    bool titleVisible = false;

    void present(Surface s, const QImage& image) override
    {
        log((s == Surface::Picture1 ? "present field " : "present band ") + hash(image));
    }
    void pause(int ms) override { log("pause " + num(ms)); }
    void setMenuChecked(MenuItem m, bool c) override
    {
        checked_[m] = c;
        log("check " + num(static_cast<int>(m)) + " " + flag(c));
    }
    bool menuChecked(MenuItem m) const override { return checked_.count(m) && checked_.at(m); }
    void setMenuEnabled(MenuItem m, bool e) override { log("enable " + num(static_cast<int>(m)) + " " + flag(e)); }
    void setCaption(Caption label, int index, const std::string& text) override
    {
        log("caption " + num(static_cast<int>(label)) + " " + num(index) + " " + text);
    }
    void showTitleScreen(bool visible) override
    {
        titleVisible = visible;
        log("title " + flag(visible));
    }
    void setTitlePicture(const QImage& picture) override { log("title picture " + hash(picture)); }
    void messageBox(const std::string& text, const std::string& title) override
    {
        log("message " + title + ": " + text);
    }
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& proposed) override
    {
        log("input " + title + ": " + prompt + " [" + proposed + "]");
        // Every third name is cancelled, the others typed.
        if (++names_ % 3 == 0)
            return std::nullopt;
        return "Bot " + num(names_);
    }
    int16_t pointer() const override { return pointer_; }
    void setPointer(int16_t shape) override
    {
        pointer_ = shape;
        log("pointer " + num(shape));
    }
    void disableInput() override
    {
        pointer_ = kPointerHourglass;
        log("input off");
    }
    void enableInput(int16_t p) override
    {
        pointer_ = p;
        log("input on " + num(p));
    }
    int32_t showCursor(bool show) override
    {
        cursor_ += show ? 1 : -1;
        log("cursor " + num(cursor_));
        return cursor_;
    }
    void confineCursor(bool toPlayField) override { log("confine " + flag(toPlayField)); }
    void focusPlayField() override { log("focus"); }
    void openInEditor(const std::filesystem::path& file) override { log("editor " + file.filename().string()); }
    void showAbout(const QImage& picture, const std::string& version) override
    {
        log("about " + version + " " + hash(picture));
    }
    std::array<int16_t, 6> choosePieces(const std::array<int16_t, 6>& current, const std::array<QImage, 12>&,
                                        const std::array<QImage, 12>&) override
    {
        log("choose pieces");
        return current;
    }
    std::optional<std::string> chooseSkin(const std::filesystem::path&, const std::string&) override
    {
        log("choose skin");
        return std::nullopt;
    }
    void quit() override { log("quit"); }

    void play(const std::filesystem::path& file, int16_t flags) override
    {
        log("sound " + file.filename().string() + " " + num(flags));
    }

    void setDeviceType(const std::string& type) override { log("music type " + type); }
    void setNotify(bool n) override { log("music notify " + flag(n)); }
    void setWait(bool w) override { log("music wait " + flag(w)); }
    void setFileName(const std::filesystem::path& file) override { log("music file " + file.filename().string()); }
    void command(const std::string& c) override { log("music " + c); }
    int mode() const override { return kMusicNotOpen; }

    float next() override
    {
        const float v = static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f);
        char text[32];
        std::snprintf(text, sizeof text, "%.9g", static_cast<double>(v));
        rand += text;
        rand += '\n';
        return v;
    }
    void reseedFromClock() override
    {
        engine_.seed(seed_ * 7919u + ++reseeds_);
        rand += "reseed\n";
    }

private:
    void log(const std::string& line) { out += line + '\n'; }

    std::map<MenuItem, bool> checked_;
    int16_t pointer_ = kPointerDefault;
    int32_t cursor_ = 0;
    int names_ = 0;
    uint32_t seed_, reseeds_ = 0;
    std::mt19937 engine_;
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
        if (px > 425 || (px <= 12 && std::cos(phi) < 0)) {
            c = px > 425 ? 16 : 0;
            a = 180 - a;
            cx = px;
            cy = py;
            start = static_cast<float>(d);
        }
        if (codes[c][r] != 0)
            return {lastC, lastR};
        if (py < (bricks + 1) * 25.0f)
            return {c, r};
        lastC = c;
        lastR = r;
    }
    return {lastC, lastR};
}

int groupSize(Codes codes, int c0, int r0, int code)
{
    codes[c0][r0] = code;
    std::vector<std::pair<int, int>> todo{{c0, r0}};
    codes[c0][r0] = -1;
    int n = 0;
    while (!todo.empty()) {
        auto [c, r] = todo.back();
        todo.pop_back();
        ++n;
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
        if (size > bestSize) {
            bestSize = size;
            best = angle;
        }
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
    GameSpec s;
    s.index = index;
    s.seed = static_cast<uint32_t>(1000 + index);
    s.shape = index % 6;
    s.level = (index / 6) % 2;
    s.group = 3 + (index / 12) % 4;
    return s;
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
    Recorder ports(spec.seed);
    std::mt19937 bot(spec.seed * 31u + 7u);
    GameResult result;

    // As the real window starts: "Easy", "3" and "Square" checked.
    for (MenuItem item : {MenuItem::Easy, MenuItem::Combinations3, MenuItem::ShapeSquare})
        ports.setMenuChecked(item, true);

    Form1 form(appFolder, ports, ports, ports, ports);
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
        if (ports.titleVisible)
            break;
    }
    form.MenuFile_Click(1); // nothing to stop once the game is over
    form.Form_QueryUnload();
    form.Exit_Click();
    result.out = std::move(ports.out);
    result.rand = std::move(ports.rand);
    return result;
}

std::string summary(const GameSpec& spec, const GameResult& result)
{
    std::size_t lines = 0;
    for (char ch : result.out)
        lines += ch == '\n';
    return std::to_string(spec.index) + " " + std::to_string(spec.seed) + " " + std::to_string(spec.shape) +
           " " + std::to_string(spec.level) + " " + std::to_string(spec.group) + " " +
           std::to_string(result.shots) + " " + hex(fnv1a(result.out.data(), result.out.size())) + " " +
           hex(fnv1a(result.rand.data(), result.rand.size())) + " " + std::to_string(lines);
}

} // namespace quibix::golden
