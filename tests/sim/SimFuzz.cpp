// Feeds quibix-sim a hostile script (random bytes, endless lines, bad
// numbers, boards no game would reach): it must exit 0, print one JSON
// object per line and answer the closing `board`.
#include <QJsonDocument>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <string>

namespace {

std::mt19937 rng(20261207);

int pick(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
std::string number(int n) { return std::to_string(pick(n)); }

// One JSON object on one line, valid UTF-8 whatever bytes the script held.
bool oneJsonObject(const std::string& line)
{
    QJsonParseError error{};
    const QByteArray bytes = QByteArray::fromStdString(line);
    return std::none_of(line.begin(), line.end(), [](char c) { return c >= 0 && c < 0x20; }) &&
           QString::fromUtf8(bytes).toUtf8() == bytes &&
           QJsonDocument::fromJson(bytes, &error).isObject() && error.error == QJsonParseError::NoError;
}

std::string hostileLine()
{
    static const char* kWords[] = {"seed", "new", "clear", "put", "load", "fuse", "shoot",
                                   "board", "easy", "hard", "random", "saw", "#", "replay"};
    static const char* kNumbers[] = {"0", "-1", "1", "2", "3", "7", "8", "14", "15", "16", "17",
                                     "18", "178", "179", "180", "32767", "-32768", "65536",
                                     "2147483648", "99999999999999999999999999", "1e3", "0x10",
                                     "+5", "--2", "4.5", ""};
    std::string line;
    if (const int kind = pick(6); kind == 0) // raw bytes, NUL and CR included
        for (int i = pick(80); i > 0; --i)
            line += static_cast<char>(rng());
    else if (kind == 1) // one endless word
        line.assign(5000 + pick(20000), static_cast<char>('0' + pick(10)));
    else // words of the language with numbers good and bad
        for (line = kWords[pick(14)]; pick(5);)
            line += std::string(pick(3) ? " " : "\t") + kNumbers[pick(26)];
    return line;
}

// Random boards, fuses and shots: turns on layouts no game would deal.
std::string playLine()
{
    switch (pick(8)) {
    case 0: return "clear " + number(5);
    case 1: return std::string("new ") + (pick(2) ? "easy" : "hard") + " random " + std::to_string(3 + pick(4));
    case 2: return "load " + number(6) + " " + number(6);
    case 3: return "fuse " + number(7);
    case 4: return "shoot " + std::to_string(2 + pick(177));
    default: return "put " + number(18) + " " + number(16) + " " + number(8);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const std::string script = std::string(argv[2]) + ".txt", output = std::string(argv[2]) + ".out";
    {
        std::ofstream out(script, std::ios::binary);
        for (int i = 0; i < 3000; ++i)
            out << (rng() % 3 ? playLine() : hostileLine()) << '\n';
        out << "board\n";
    }
    const std::string command = std::string("'") + argv[1] + "' < '" + script + "' > '" + output + "'";
    auto fail = [](const std::string& why) { std::cerr << why << "\n"; return 1; };
    if (const int status = std::system(command.c_str()); status != 0)
        return fail("quibix-sim failed (status " + std::to_string(status) + ") on " + script);

    std::ifstream in(output, std::ios::binary);
    std::string line, last;
    for (int lineNumber = 1; std::getline(in, line); ++lineNumber, last = line)
        if (!oneJsonObject(line))
            return fail("output line " + std::to_string(lineNumber) + " is not a JSON object: " + line.substr(0, 200));
    return last.rfind("{\"board\":", 0) == 0 ? 0 : fail("the closing board command got no answer");
}
