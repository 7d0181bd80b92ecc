// Plays a quibix-sim script and checks every answer against the "# => "
// lines written right under the command that gives it:
//
//   shoot 90
//   # => {"angle":90,"rest":[8,0],...}
//
// The answers' text comes from the script played as it is. Which command
// gave which answer comes from a second play with a marker line (a command
// the simulator refuses) after every line: the answers between two markers
// are the line's. Errors name their line, so the first play's are exact.
//
//   sim_check SIM SCRIPT            exit 0 when every answer is as written
//   sim_check SIM SCRIPT --update   writes the answers into SCRIPT instead
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kExpect = "# => ";
const std::string kMarker = "?answers-end";

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool isExpectation(const std::string& line) { return line.rfind(kExpect, 0) == 0; }

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The simulator's answers to `script`, one a line.
std::vector<std::string> play(const std::string& sim, const std::string& script, const std::string& scratch)
{
    std::ofstream(scratch, std::ios::binary) << script;
    const std::string command = "'" + sim + "' < '" + scratch + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        std::cerr << "cannot run " << sim << "\n";
        std::exit(1);
    }
    std::string out;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    if (const int status = pclose(pipe); status != 0) {
        std::cerr << sim << " ended with status " << status << "\n";
        std::exit(1);
    }
    return splitLines(out);
}

struct Line {
    std::string text;                  // as written (never an expectation)
    std::vector<std::string> expected; // the "# => " lines under it
    std::vector<std::string> actual;   // the answers it got
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4 || (argc == 4 && std::string(argv[3]) != "--update")) {
        std::cerr << "usage: sim_check SIM SCRIPT [--update]\n";
        return 2;
    }
    const std::string sim = argv[1], path = argv[2];
    const bool update = argc == 4;
    const std::string scratch = path.substr(path.find_last_of('/') + 1) + ".played";

    std::vector<Line> lines;
    for (const std::string& text : splitLines(readFile(path))) {
        if (!isExpectation(text))
            lines.push_back({text, {}, {}});
        else if (lines.empty()) {
            std::cerr << path << ":1: an answer above every command\n";
            return 1;
        } else
            lines.back().expected.push_back(text.substr(kExpect.size()));
    }

    // Every line with a marker after it; the markers' answers name their lines.
    std::string marked;
    std::vector<std::string> markerAnswers;
    long number = 0;
    for (const Line& line : lines) {
        marked += line.text + "\n" + kMarker + "\n";
        number += 2;
        markerAnswers.push_back("{\"error\":\"line " + std::to_string(number) + ": ");
    }
    const std::vector<std::string> markedAnswers = play(sim, marked, scratch);

    // The script as it will be read: the answers' line numbers are its own.
    std::string script;
    for (const Line& line : lines) {
        script += line.text + "\n";
        for (size_t i = 0; i < (update ? 0 : line.expected.size()); ++i)
            script += kExpect + line.expected[i] + "\n";
    }
    std::vector<size_t> answerCounts;
    {
        size_t next = 0, count = 0;
        for (const std::string& answer : markedAnswers) {
            if (next < markerAnswers.size() && answer.rfind(markerAnswers[next], 0) == 0) {
                answerCounts.push_back(count);
                count = 0;
                ++next;
            } else {
                ++count;
            }
        }
        if (next != lines.size()) {
            std::cerr << path << ": the simulator did not answer every line\n";
            return 1;
        }
    }
    if (update) { // room for the answers first, so error lines name the final numbers
        script.clear();
        for (size_t i = 0; i < lines.size(); ++i) {
            script += lines[i].text + "\n";
            for (size_t k = 0; k < answerCounts[i]; ++k)
                script += kExpect + "\n";
        }
    }
    const std::vector<std::string> answers = play(sim, script, scratch);
    size_t taken = 0;
    for (size_t i = 0; i < lines.size(); ++i)
        for (size_t k = 0; k < answerCounts[i] && taken < answers.size(); ++k)
            lines[i].actual.push_back(answers[taken++]);

    if (update) {
        std::ofstream out(path, std::ios::binary);
        for (const Line& line : lines) {
            out << line.text << "\n";
            for (const std::string& answer : line.actual)
                out << kExpect << answer << "\n";
        }
        return 0;
    }

    int wrong = 0;
    long scriptLine = 0;
    for (const Line& line : lines) {
        ++scriptLine;
        if (line.actual != line.expected) {
            ++wrong;
            std::cerr << path << ":" << scriptLine << ": " << line.text << "\n";
            for (const std::string& e : line.expected)
                std::cerr << "  expected " << e << "\n";
            for (const std::string& a : line.actual)
                std::cerr << "  got      " << a << "\n";
        }
        scriptLine += static_cast<long>(line.expected.size());
    }
    if (taken != answers.size()) {
        std::cerr << path << ": " << answers.size() - taken << " answers more than the lines gave\n";
        return 1;
    }
    return wrong == 0 ? 0 : 1;
}
