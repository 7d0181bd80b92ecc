#include "ScriptReader.h"

#include <array>
#include <charconv>
#include <vector>

namespace quibix::sim {

namespace {

constexpr std::array<std::string_view, 6> kShapes{"square", "face", "diamond",
                                                  "columns", "saw", "random"};

std::vector<std::string_view> splitWords(std::string_view line)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > start)
            words.push_back(line.substr(start, i - start));
    }
    return words;
}

// A word as it may appear inside an error message: at most 40 bytes, so a
// pasted megabyte does not come back as a megabyte.
std::string quoted(std::string_view word)
{
    constexpr std::size_t kShown = 40;
    std::string text = "\"";
    text += word.substr(0, kShown);
    if (word.size() > kShown)
        text += "...";
    return text + "\"";
}

// Reads a plain decimal integer within [low, high] into `out`, or says why not.
bool readNumber(std::string_view word, std::string_view name, int64_t low, int64_t high,
                int64_t& out, std::string& why)
{
    int64_t value = 0;
    const char* first = word.data();
    const char* last = word.data() + word.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range && end == last) {
        why = std::string(name) + " " + quoted(word) + " is out of range " +
              std::to_string(low) + ".." + std::to_string(high);
        return false;
    }
    if (error != std::errc{} || end != last) {
        why = std::string(name) + " " + quoted(word) + " is not a whole number";
        return false;
    }
    if (value < low || value > high) {
        why = std::string(name) + " " + std::to_string(value) + " is out of range " +
              std::to_string(low) + ".." + std::to_string(high);
        return false;
    }
    out = value;
    return true;
}

struct Argument {
    std::string_view name;
    int64_t low;
    int64_t high;
};

// The commands whose arguments are all numbers, with their ranges.
struct NumericSyntax {
    std::string_view op;
    std::vector<Argument> arguments;
};

const std::vector<NumericSyntax>& numericCommands()
{
    // Column 17 and row 15 are the margin a shot can reach; a fuse of 7
    // only exists inside a turn, on its way to the explosion.
    static const std::vector<NumericSyntax> table{
        {"seed", {{"SEED", 0, 4294967295}}},
        {"clear", {{"BRICKS", 0, 4}}},
        {"put", {{"COL", 0, 17}, {"ROW", 0, 15}, {"CODE", 0, 7}}},
        {"load", {{"KIND", 0, 5}, {"NEXT", 0, 5}}},
        {"fuse", {{"FUSE", 0, 6}}},
        {"shoot", {{"ANGLE", 2, 178}}},
        {"board", {}},
    };
    return table;
}

// Checks the argument count and reads every argument as a number.
bool readArguments(const std::vector<std::string_view>& words, const NumericSyntax& syntax,
                   std::vector<int64_t>& values, std::string& why)
{
    const std::size_t count = syntax.arguments.size();
    if (words.size() != count + 1) {
        why = std::string(syntax.op) + " takes " + std::to_string(count) +
              (count == 1 ? " argument" : " arguments");
        for (std::size_t i = 0; i < count; ++i)
            why += (i ? " " : ": ") + std::string(syntax.arguments[i].name);
        why += ", not " + std::to_string(words.size() - 1);
        return false;
    }
    values.assign(count, 0);
    for (std::size_t i = 0; i < count; ++i) {
        const Argument& a = syntax.arguments[i];
        if (!readNumber(words[i + 1], a.name, a.low, a.high, values[i], why))
            return false;
    }
    return true;
}

Command numericCommand(std::string_view op, const std::vector<int64_t>& v)
{
    auto i = [&](std::size_t k) { return static_cast<int>(v[k]); };
    if (op == "seed")
        return SeedCommand{static_cast<uint32_t>(v[0])};
    if (op == "clear")
        return ClearCommand{i(0)};
    if (op == "put")
        return PutCommand{i(0), i(1), i(2)};
    if (op == "load")
        return LoadCommand{i(0), i(1)};
    if (op == "fuse")
        return FuseCommand{i(0)};
    if (op == "shoot")
        return ShootCommand{i(0)};
    return BoardCommand{};
}

Command readNew(const std::vector<std::string_view>& words)
{
    if (words.size() != 4)
        return BadLine{"new takes 3 arguments: LEVEL SHAPE GROUP, not " +
                       std::to_string(words.size() - 1)};
    int level = -1;
    if (words[1] == "easy")
        level = 0;
    else if (words[1] == "hard")
        level = 1;
    else
        return BadLine{"level " + quoted(words[1]) + " is not easy or hard"};
    int shape = -1;
    for (std::size_t i = 0; i < kShapes.size(); ++i)
        if (words[2] == kShapes[i])
            shape = static_cast<int>(i);
    if (shape < 0)
        return BadLine{"shape " + quoted(words[2]) +
                       " is not square, face, diamond, columns, saw or random"};
    int64_t group = 0;
    std::string why;
    if (!readNumber(words[3], "GROUP", 3, 6, group, why))
        return BadLine{why};
    return NewCommand{level, shape, static_cast<int>(group)};
}

} // namespace

std::string_view shapeName(int shape)
{
    return (shape >= 0 && shape < static_cast<int>(kShapes.size())) ? kShapes[shape] : "?";
}

Command parseLine(std::string_view line)
{
    // Scripts written on Windows end their lines in CR.
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    const std::vector<std::string_view> words = splitWords(line);
    if (words.empty() || words[0].front() == '#')
        return NoCommand{};

    const std::string_view op = words[0];
    if (op == "new")
        return readNew(words);
    if (op == "replay") {
        const std::size_t start = line.find(op) + op.size() + 1;
        if (words.size() < 2 || start >= line.size())
            return BadLine{"replay takes 1 argument: PATH"};
        return ReplayCommand{std::string(line.substr(start))};
    }
    for (const NumericSyntax& syntax : numericCommands()) {
        if (op != syntax.op)
            continue;
        std::vector<int64_t> values;
        std::string why;
        if (!readArguments(words, syntax, values, why))
            return BadLine{why};
        return numericCommand(op, values);
    }
    return BadLine{"unknown command " + quoted(op)};
}

} // namespace quibix::sim
