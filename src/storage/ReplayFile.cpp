#include "storage/ReplayFile.h"

#include "storage/HighScoreFile.h"
#include "storage/SafeWrite.h"

#include <charconv>
#include <fstream>
#include <limits>

namespace quibix {

namespace {

constexpr std::string_view kMagic = "Quibix replay ";
constexpr int32_t kMaxBackground = 1'000'000;

const char* levelName(int16_t level) { return level == 1 ? "hard" : "easy"; }

std::string seedText(const std::optional<uint32_t>& seed) { return seed ? std::to_string(*seed) : "-"; }

// One line split at single spaces; empty words are refused by the parsers.
std::vector<std::string_view> words(std::string_view line)
{
    std::vector<std::string_view> out;
    std::size_t start = 0;
    while (out.size() < 16) { // no line of the format has more words
        const std::size_t space = line.find(' ', start);
        out.push_back(line.substr(start, space - start));
        if (space == std::string_view::npos)
            break;
        start = space + 1;
    }
    return out;
}

template <typename Int>
bool number(std::string_view word, Int low, Int high, Int& out)
{
    long long value = 0;
    const char* end = word.data() + word.size();
    const auto [ptr, ec] = std::from_chars(word.data(), end, value);
    // Only the way the game writes numbers: no sign, no leading zeros.
    if (word.empty() || ec != std::errc() || ptr != end || value < low || value > high ||
        word != std::to_string(value))
        return false;
    out = static_cast<Int>(value);
    return true;
}

bool seedWord(std::string_view word, std::optional<uint32_t>& out)
{
    if (word == "-") {
        out.reset();
        return true;
    }
    uint32_t seed = 0;
    if (!number<uint32_t>(word, 0, std::numeric_limits<uint32_t>::max(), seed))
        return false;
    out = seed;
    return true;
}

struct Reader {
    std::string_view text;
    std::size_t at = 0;
    long line = 0;
    std::string problem;

    bool more() const { return at < text.size(); }
    std::string_view next()
    {
        ++line;
        const std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) {
            // Every line, the last one too, ends with a newline: without
            // it the file was cut short.
            problem = "the file ends in the middle of a line";
            at = text.size();
            return {};
        }
        const std::string_view l = text.substr(at, end - at);
        at = end + 1;
        return l;
    }
    bool fail(const std::string& why)
    {
        if (problem.empty())
            problem = "line " + std::to_string(line) + ": " + why;
        return false;
    }
};

// "KEY N" with N in low..high.
template <typename Int>
bool keyed(Reader& in, std::string_view key, Int low, Int high, Int& out)
{
    const auto w = words(in.next());
    if (!in.problem.empty())
        return false;
    if (w.size() != 2 || w[0] != key || !number(w[1], low, high, out))
        return in.fail("expected \"" + std::string(key) + "\" and a number from " + std::to_string(low) + " to " +
                       std::to_string(high));
    return true;
}

bool header(Reader& in, Replay& r)
{
    const std::string_view first = in.next();
    if (!in.problem.empty() || first.substr(0, kMagic.size()) != kMagic)
        return in.fail("not a Quibix replay");
    int version = 0;
    if (!number<int>(first.substr(kMagic.size()), 1, std::numeric_limits<int>::max(), version))
        return in.fail("not a Quibix replay");
    if (version > kReplayVersion)
        return in.fail("made by a newer Quibix (replay version " + std::to_string(version) + ")");

    const auto level = words(in.next());
    if (!in.problem.empty())
        return false;
    if (level.size() != 2 || level[0] != "level" || (level[1] != "easy" && level[1] != "hard"))
        return in.fail("expected \"level easy\" or \"level hard\"");
    r.level = level[1] == "hard" ? 1 : 0;
    if (!keyed<int16_t>(in, "group", 3, 6, r.group) || !keyed<int16_t>(in, "shape", 0, 5, r.shape))
        return false;

    const auto pieces = words(in.next());
    if (!in.problem.empty())
        return false;
    bool good = pieces.size() == 7 && pieces[0] == "pieces";
    for (std::size_t i = 0; good && i < 6; ++i)
        good = number<int16_t>(pieces[i + 1], 0, 11, r.pieces[i]);
    return good || in.fail("expected \"pieces\" and six picture numbers from 0 to 11");
}

// One event line, or the closing lines ("name", "end"). True when the line
// was an event.
bool event(Reader& in, const std::vector<std::string_view>& w, Replay& r)
{
    if (w[0] == "screen" && w.size() == 4) {
        ReplayScreen s;
        if (!number<int16_t>(w[1], 0, std::numeric_limits<int16_t>::max(), s.screen) || !seedWord(w[2], s.seed) ||
            !number<int32_t>(w[3], 0, kMaxBackground, s.background))
            return in.fail("expected \"screen NUMBER SEED BACKGROUND\"");
        r.events.emplace_back(s);
    } else if (w[0] == "shot" && w.size() == 3) {
        ReplayShot s;
        if (!number<int16_t>(w[1], 2, 178, s.angle) || !seedWord(w[2], s.seed))
            return in.fail("expected \"shot ANGLE SEED\" with an angle from 2 to 178");
        r.events.emplace_back(s);
    } else if (w[0] == "group" && w.size() == 2) {
        ReplayGroup g;
        if (!number<int16_t>(w[1], 3, 6, g.group))
            return in.fail("expected \"group\" and a number from 3 to 6");
        r.events.emplace_back(g);
    } else if (w[0] == "shape" && w.size() == 2) {
        ReplayShape s;
        if (!number<int16_t>(w[1], 0, 5, s.shape))
            return in.fail("expected \"shape\" and a number from 0 to 5");
        r.events.emplace_back(s);
    } else {
        return false;
    }
    return true;
}

bool ending(Reader& in, std::string_view line, Replay& r)
{
    if (line.substr(0, 5) == "name ") {
        r.name = std::string(line.substr(5));
        if (r.name.empty() || !isStorableName(r.name))
            return in.fail("a name the high-score table cannot hold");
        line = in.next();
        if (!in.problem.empty())
            return false;
    }
    const auto w = words(line);
    if (w.size() != 4 || w[0] != "end")
        return in.fail("expected a shot, a screen, an option, the name or the end");
    if (w[1] == "lost")
        r.end = ReplayEnd::Lost;
    else if (w[1] == "stopped")
        r.end = ReplayEnd::Stopped;
    else if (w[1] == "left")
        r.end = ReplayEnd::Left;
    else
        return in.fail("the game ends \"lost\", \"stopped\" or \"left\"");
    if (!number<int32_t>(w[2], 0, std::numeric_limits<int32_t>::max(), r.score) ||
        !number<int16_t>(w[3], 0, std::numeric_limits<int16_t>::max(), r.screens))
        return in.fail("expected \"end HOW SCORE SCREENS\"");
    if (in.more())
        return in.fail("more after the end");
    return true;
}

} // namespace

const char* replayEndName(ReplayEnd end)
{
    switch (end) {
    case ReplayEnd::Lost: return "lost";
    case ReplayEnd::Stopped: return "stopped";
    case ReplayEnd::Left: return "left";
    }
    return "lost";
}

std::string formatReplay(const Replay& r)
{
    std::string out = std::string(kMagic) + std::to_string(kReplayVersion) + "\n";
    out += std::string("level ") + levelName(r.level) + "\n";
    out += "group " + std::to_string(r.group) + "\n";
    out += "shape " + std::to_string(r.shape) + "\n";
    out += "pieces";
    for (int16_t p : r.pieces)
        out += " " + std::to_string(p);
    out += "\n";
    for (const ReplayEvent& e : r.events) {
        if (const auto* s = std::get_if<ReplayScreen>(&e))
            out += "screen " + std::to_string(s->screen) + " " + seedText(s->seed) + " " +
                   std::to_string(s->background) + "\n";
        else if (const auto* s = std::get_if<ReplayShot>(&e))
            out += "shot " + std::to_string(s->angle) + " " + seedText(s->seed) + "\n";
        else if (const auto* g = std::get_if<ReplayGroup>(&e))
            out += "group " + std::to_string(g->group) + "\n";
        else if (const auto* s = std::get_if<ReplayShape>(&e))
            out += "shape " + std::to_string(s->shape) + "\n";
    }
    if (!r.name.empty())
        out += "name " + r.name + "\n";
    out += std::string("end ") + replayEndName(r.end) + " " + std::to_string(r.score) + " " +
           std::to_string(r.screens) + "\n";
    return out;
}

std::optional<Replay> parseReplay(std::string_view text, std::string* error)
{
    Reader in;
    in.text = text;
    Replay r;
    bool ok = header(in, r);
    while (ok) {
        const std::string_view line = in.next();
        if (!in.problem.empty()) {
            ok = false;
            break;
        }
        const auto w = words(line);
        if (event(in, w, r)) {
            if (r.events.size() > kMaxReplayEvents)
                ok = in.fail("more events than any game has");
            continue;
        }
        ok = in.problem.empty() && ending(in, line, r);
        break;
    }
    if (ok && in.problem.empty())
        return r;
    if (in.problem.empty())
        in.problem = "line " + std::to_string(in.line) + ": not a Quibix replay";
    if (error)
        *error = in.problem;
    return std::nullopt;
}

std::optional<Replay> readReplay(const std::filesystem::path& file, std::string* error)
{
    const auto refuse = [&](const std::string& why) -> std::optional<Replay> {
        if (error)
            *error = file.string() + ": " + why;
        return std::nullopt;
    };
    // Only an ordinary file: opening a pipe or a device could wait for ever.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return refuse(ec ? ec.message() : "not an ordinary file");
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return refuse("cannot be read");
    // In pieces, one byte past the limit at most, whatever the file claims.
    std::string text;
    char piece[1 << 16];
    while (text.size() <= kMaxReplayBytes && in.read(piece, sizeof piece).gcount() > 0)
        text.append(piece, static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxReplayBytes)
        return refuse("too large for a replay");
    std::string why;
    std::optional<Replay> replay = parseReplay(text, &why);
    return replay ? replay : refuse(why);
}

bool writeReplay(const std::filesystem::path& file, const Replay& replay, std::string* error)
{
    const WriteOutcome outcome = writeBytesAt(file, 0, formatReplay(replay));
    if (!outcome.ok && error)
        *error = outcome.error;
    return outcome.ok;
}

} // namespace quibix
