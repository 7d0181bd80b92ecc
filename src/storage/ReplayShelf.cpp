#include "storage/ReplayShelf.h"

#include "storage/Cp1252.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <map>
#include <optional>
#include <vector>

namespace fs = std::filesystem;

namespace quibix {

namespace {

constexpr std::string_view kExtension = ".replay";

// What a replay's file name tells: its table and its score.
struct Shelved {
    fs::path file;
    int16_t level = 0;
    long long score = 0;
};

std::optional<Shelved> fromName(const fs::path& file)
{
    // YYYYMMDD-HHMMSS-LEVEL-SCORE[-N].replay
    const std::string name = file.filename().string();
    if (name.size() <= kExtension.size() || !name.ends_with(kExtension))
        return std::nullopt;
    const std::string_view stem(name.data(), name.size() - kExtension.size());
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t dash = stem.find('-', start);
        parts.push_back(stem.substr(start, dash - start));
        if (dash == std::string_view::npos || parts.size() > 5)
            break;
        start = dash + 1;
    }
    if (parts.size() < 4 || parts.size() > 5 || (parts[2] != "easy" && parts[2] != "hard"))
        return std::nullopt;
    Shelved s{file, static_cast<int16_t>(parts[2] == "hard" ? 1 : 0), 0};
    const auto [end, ec] = std::from_chars(parts[3].data(), parts[3].data() + parts[3].size(), s.score);
    if (ec != std::errc() || end != parts[3].data() + parts[3].size())
        return std::nullopt;
    return s;
}

// Every replay on the shelf, newest first.
std::vector<Shelved> listShelf(const fs::path& folder)
{
    std::vector<Shelved> all;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (auto s = fromName(it->path()))
            all.push_back(std::move(*s));
    }
    std::sort(all.begin(), all.end(),
              [](const Shelved& a, const Shelved& b) { return a.file.filename() > b.file.filename(); });
    return all;
}

std::string rowName(const Record& row)
{
    std::string name = row.Nombre.substr(0, row.Nombre.find('\0'));
    name.erase(name.find_last_not_of(' ') + 1);
    return cp1252ToUtf8(name);
}

} // namespace

bool replayMatchesRow(const Replay& replay, const Record& row)
{
    if (scoreValue(row.Puntos) != replay.score)
        return false;
    const std::string name = rowName(row);
    if (replay.name.empty())
        return name.empty() || name.starts_with("Quibix Master ");
    return replay.name == name;
}

fs::path ReplayShelf::save(const Replay& replay, std::time_t when, std::string* error) const
{
    std::error_code ec;
    fs::create_directories(folder_, ec);
    if (ec) {
        if (error)
            *error = "cannot make " + folder_.string() + ": " + ec.message();
        return {};
    }
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    char score[16];
    std::snprintf(score, sizeof score, "%010d", static_cast<int>(replay.score));
    const std::string base = std::string(stamp) + (replay.level == 1 ? "-hard-" : "-easy-") + score;
    fs::path file = folder_ / (base + std::string(kExtension));
    for (int n = 2; fs::exists(file, ec) && n < 1000; ++n)
        file = folder_ / (base + "-" + std::to_string(n) + std::string(kExtension));
    return writeReplay(file, replay, error) ? file : fs::path();
}

std::array<fs::path, kRecordRows> ReplayShelf::forRows(const RecordTable& table) const
{
    std::array<fs::path, kRecordRows> found;
    const std::vector<Shelved> shelf = listShelf(folder_);
    // Each file is read at most once, and only when a row's score is in
    // its name.
    std::map<fs::path, std::optional<Replay>> read;
    for (int i = 0; i < kRecordRows; ++i) {
        const int16_t level = static_cast<int16_t>(i / kRecordsPerLevel);
        const long long score = scoreValue(table[i].Puntos);
        for (const Shelved& s : shelf) {
            if (s.level != level || s.score != score)
                continue;
            auto it = read.find(s.file);
            if (it == read.end())
                it = read.emplace(s.file, readReplay(s.file)).first;
            const bool taken = std::find(found.begin(), found.end(), s.file) != found.end();
            if (!taken && it->second && it->second->level == level && replayMatchesRow(*it->second, table[i])) {
                found[i] = s.file;
                break;
            }
        }
    }
    return found;
}

void ReplayShelf::prune(const RecordTable& table) const
{
    const std::vector<Shelved> shelf = listShelf(folder_);
    if (shelf.size() <= static_cast<std::size_t>(kKeptReplays))
        return;
    const auto rows = forRows(table);
    for (std::size_t i = kKeptReplays; i < shelf.size(); ++i) {
        if (std::find(rows.begin(), rows.end(), shelf[i].file) != rows.end())
            continue;
        std::error_code ec;
        fs::remove(shelf[i].file, ec);
    }
}

} // namespace quibix
