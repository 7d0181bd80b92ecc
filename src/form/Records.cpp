// The two high-score tables (Easy rows 0..9, Hard rows 10..19) and the
// file "Quibix.dat".
#include "form/Form1.h"
#include "storage/Cp1252.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <string>

namespace quibix {

namespace {

std::string beforeNul(const std::string& bytes)
{
    return bytes.substr(0, bytes.find('\0'));
}

std::string padName(std::string name)
{
    name.resize(kNameLength, ' ');
    return name;
}

// A row competes with the score it shows (see scoreValue): a damaged one
// as the 0 it shows, so a new score can still beat it, and a stored 2^31
// as 2147483647, which only a game of that score ties.
double rankedScore(float puntos)
{
    return static_cast<double>(scoreValue(puntos));
}

// A stored name may hold line breaks or other control bytes; each shows as
// a space so the name stays on its own row.
std::string printableName(std::string name)
{
    for (char& c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    }
    return name;
}

int16_t tableLevel(int16_t level)
{
    return level == 1 ? int16_t{1} : int16_t{0};
}

} // namespace

void Form1::LeeRecords()
{
    HighScoreFile file(userFile("Quibix.dat"));
    RecordTable rows;
    std::string error;
    if (!file.read(rows, &error)) {
        // Nothing is lost yet: play on with fresh tables.
        std::cerr << "Quibix: high scores not read (" << error << "), using fresh tables\n";
        rows = RecordTable{};
    }
    for (int i = 0; i < kRecordRows; ++i) {
        std::string name = beforeNul(rows[i].Nombre);
        if (name.find_first_not_of(' ') == std::string::npos)
            name = "Quibix Master " + std::to_string(i % kRecordsPerLevel + 1);
        rows[i].Nombre = padName(name);
    }
    Records = rows;
    LeeConfig();
    showRecordTable(rules.level());
}

void Form1::GrabaRecords(bool blnRecord)
{
    const int16_t level = tableLevel(intRecordLevel);
    // Only "offer the score" (false) is ever asked for; true just shows.
    if (!blnRecord) {
        const int b = kRecordsPerLevel * level;
        for (int k = 0; k < kRecordsPerLevel; ++k) {
            if (!(rankedScore(Records[b + k].Puntos) <= static_cast<double>(rules.score())))
                continue;
            // Ties go above the old row; the tenth row drops out.
            for (int j = kRecordsPerLevel - 2; j >= k; --j)
                Records[b + j + 1] = Records[b + j];
            Records[b + k].Puntos = static_cast<float>(rules.score());

            const auto answer = window.inputBox("Enter your Name (max.25 characters)",
                                                "Congratulatios, you have done a new Record!!",
                                                "Quibix Master " + std::to_string(10 - k));
            std::string name = answer ? utf8ToCp1252(*answer) : std::string();
            if (name.size() > static_cast<std::size_t>(kNameLength))
                name.resize(kNameLength);
            Records[b + k].Nombre = padName(name);
            recorder.name(cp1252ToUtf8(name.substr(0, name.find_last_not_of(' ') + 1)));

            HighScoreFile file(userFile("Quibix.dat"));
            std::string error;
            if (!file.write(Records, &error))
                window.messageBox("Your score could not be saved:\r" + error, "Quibix");
            break;
        }
    }
    showRecordTable(level);
}

void Form1::showRecordTable(int16_t level)
{
    const int b = kRecordsPerLevel * tableLevel(level);
    showWatchableRows(level);
    for (int k = 0; k < kRecordsPerLevel; ++k) {
        const Record& row = Records[b + k];
        window.setCaption(Caption::RecordValue, k, formatScore(row.Puntos));
        window.setCaption(Caption::RecordName, k, cp1252ToUtf8(printableName(beforeNul(row.Nombre))));
    }
}

void Form1::showWatchableRows(int16_t level)
{
    const int b = kRecordsPerLevel * tableLevel(level);
    rowReplays = replayShelf().forRows(Records);
    for (int k = 0; k < kRecordsPerLevel; ++k)
        window.setRecordWatchable(k, !rowReplays[b + k].empty());
}

} // namespace quibix
