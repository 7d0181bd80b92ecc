// The kill test's victim: writes the score file (with "settings", the
// settings file) in two alternating versions until killed, saying "w" on
// standard output after the first write.
#include "tools/ScoreVersions.h"

#include <cstdio>
#include <unistd.h>

using namespace quibix;
using namespace quibix::testing;

int main(int argc, char** argv)
{
    for (long n = 0; argc > 1; ++n) {
        std::string error;
        if (!(argc > 2 ? SettingsFile(argv[1]).write(settingsVersion(n % 2), &error)
                       : HighScoreFile(argv[1]).write(scoreVersion(n % 2), &error))) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        if (n == 0 && ::write(STDOUT_FILENO, "w", 1) != 1)
            return 1;
    }
    return 2;
}
