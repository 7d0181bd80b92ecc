// Writes the score file over and over, alternating two tables, until it is
// killed: the victim of the kill test. After its first write it says so on
// standard output, so the killer knows it is inside the loop.
#include "tools/ScoreVersions.h"

#include <cstdio>
#include <unistd.h>

using namespace quibix;
using quibix::testing::scoreVersion;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <Quibix.dat>\n", argv[0]);
        return 2;
    }
    const HighScoreFile file(argv[1]);
    const RecordTable versions[2] = {scoreVersion(0), scoreVersion(1)};
    for (long n = 0;; ++n) {
        std::string error;
        if (!file.write(versions[n % 2], &error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        if (n == 0 && ::write(STDOUT_FILENO, "w", 1) != 1)
            return 1;
    }
}
