#include "golden/GoldenPorts.h"

#include <cstdio>
#include <cstring>

namespace quibix::golden {

uint64_t imageHash(const QImage& image)
{
    // Each 8-byte word is keyed by its position and multiplied; the sum
    // has no dependency chain, so this runs at memory speed.
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
    const uint64_t size[3] = {static_cast<uint64_t>(image.width()),
                              static_cast<uint64_t>(image.height()),
                              static_cast<uint64_t>(image.format())};
    return fnv1a(size, sizeof size, h);
}

std::string hex(uint64_t v)
{
    char text[20];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(v));
    return text;
}

namespace {
std::string flag(bool b) { return b ? "1" : "0"; }
std::string item(MenuItem m) { return std::to_string(static_cast<int>(m)); }
} // namespace

void RecordingWindow::present(Surface s, const QImage& image)
{
    log_.out(std::string(s == Surface::Picture1 ? "present field " : "present band ") +
             hex(imageHash(image)));
}

void RecordingWindow::setMenuChecked(MenuItem m, bool c)
{
    checked_[m] = c;
    log_.out("check " + item(m) + " " + flag(c));
}

bool RecordingWindow::menuChecked(MenuItem m) const
{
    const auto it = checked_.find(m);
    return it != checked_.end() && it->second;
}

void RecordingWindow::setMenuEnabled(MenuItem m, bool e) { log_.out("enable " + item(m) + " " + flag(e)); }

void RecordingWindow::setCaption(Caption label, int index, const std::string& text)
{
    log_.out("caption " + std::to_string(static_cast<int>(label)) + " " + std::to_string(index) + " " + text);
}

void RecordingWindow::showTitleScreen(bool visible)
{
    title_ = visible;
    log_.out("title " + flag(visible));
}

void RecordingWindow::setTitlePicture(const QImage& picture) { log_.out("title picture " + hex(imageHash(picture))); }

void RecordingWindow::messageBox(const std::string& text, const std::string& title)
{
    log_.out("message " + title + ": " + text);
}

std::optional<std::string> RecordingWindow::inputBox(const std::string& prompt, const std::string& title,
                                                     const std::string& proposed)
{
    log_.out("input " + title + ": " + prompt + " [" + proposed + "]");
    // Every third name is cancelled, the others typed.
    if (++nameAnswers_ % 3 == 0)
        return std::nullopt;
    return "Bot " + std::to_string(nameAnswers_);
}

void RecordingWindow::setPointer(int16_t shape)
{
    pointer_ = shape;
    log_.out("pointer " + std::to_string(shape));
}

void RecordingWindow::disableInput()
{
    pointer_ = kPointerHourglass;
    log_.out("input off");
}

void RecordingWindow::enableInput(int16_t pointer)
{
    pointer_ = pointer;
    log_.out("input on " + std::to_string(pointer));
}

int32_t RecordingWindow::showCursor(bool show)
{
    cursor_ += show ? 1 : -1;
    log_.out("cursor " + std::to_string(cursor_));
    return cursor_;
}

void RecordingWindow::confineCursor(bool toPlayField) { log_.out("confine " + flag(toPlayField)); }

void RecordingWindow::openInEditor(const std::filesystem::path& file)
{
    log_.out("editor " + file.filename().string());
}

void RecordingEffects::play(const std::filesystem::path& file, int16_t flags)
{
    log_.out("sound " + file.filename().string() + " " + std::to_string(flags));
}

void RecordingMusic::setFileName(const std::filesystem::path& file)
{
    log_.out("music file " + file.filename().string());
}

float RecordingRandom::next()
{
    const float v = static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f);
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(v));
    log_.rand(text);
    return v;
}

void RecordingRandom::reseedFromClock()
{
    ++reseeds_;
    engine_.seed(seed_ * 7919u + reseeds_);
    log_.rand("reseed");
}

} // namespace quibix::golden
