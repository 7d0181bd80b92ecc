// Writes the score file (or, with "settings", the settings file) over and
// over, alternating two versions, until it is killed: the victim of the
// kill test. After its first write it says so on standard output, so the
// killer knows it is inside the loop.
#include "tools/ScoreVersions.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

using namespace quibix;
using quibix::testing::scoreVersion;
using quibix::testing::settingsVersion;

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3 || (argc == 3 && std::strcmp(argv[2], "settings") != 0)) {
        std::fprintf(stderr, "usage: %s <file> [settings]\n", argv[0]);
        return 2;
    }
    const bool settings = argc == 3;
    const HighScoreFile scores(argv[1]);
    const SettingsFile options(argv[1]);
    const RecordTable tables[2] = {scoreVersion(0), scoreVersion(1)};
    const Config configs[2] = {settingsVersion(0), settingsVersion(1)};
    for (long n = 0;; ++n) {
        std::string error;
        const bool ok = settings ? options.write(configs[n % 2], &error) : scores.write(tables[n % 2], &error);
        if (!ok) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        if (n == 0 && ::write(STDOUT_FILENO, "w", 1) != 1)
            return 1;
    }
}
