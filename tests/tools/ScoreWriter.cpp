// The kill test's victim: writes the score file (or, with "settings", the
// settings file) over and over, alternating two versions, until killed.
// After its first write it says so on standard output, so the killer knows
// it is inside the loop.
#include "tools/ScoreVersions.h"

#include <cstdio>
#include <string>
#include <unistd.h>

using namespace quibix;
using namespace quibix::testing;

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3 || (argc == 3 && std::string(argv[2]) != "settings")) {
        std::fprintf(stderr, "usage: %s <file> [settings]\n", argv[0]);
        return 2;
    }
    const bool settings = argc == 3;
    for (long n = 0;; ++n) {
        std::string error;
        const bool ok = settings ? SettingsFile(argv[1]).write(settingsVersion(n % 2), &error)
                                 : HighScoreFile(argv[1]).write(scoreVersion(n % 2), &error);
        if (!ok) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        if (n == 0 && ::write(STDOUT_FILENO, "w", 1) != 1)
            return 1;
    }
}
