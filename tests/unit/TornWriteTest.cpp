// A writer of the score or settings file killed with SIGKILL at random moments leaves
// the whole old file or the whole new one, and at most the one temporary.
// QUIBIX_KILL_ROUNDS sets the number of kills (`make kill-test` for many).
#include "fakes/FileBytes.h"
#include "tools/ScoreVersions.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace quibix;
using namespace quibix::testing;

namespace {

// Starts the writer and returns once it is inside its loop.
pid_t startWriter(const fs::path& file, bool settings)
{
    int pipeFds[2];
    EXPECT_EQ(::pipe(pipeFds), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::execl(QUIBIX_SCORE_WRITER, QUIBIX_SCORE_WRITER, file.c_str(), settings ? "settings" : nullptr,
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    char ready = 0;
    EXPECT_EQ(::read(pipeFds[0], &ready, 1), 1) << "the writer did not start";
    ::close(pipeFds[0]);
    return pid;
}

TEST(TornWrites, AKilledWriterLeavesTheOldOrTheNewFileAndNoPileOfTemporaries)
{
    const char* env = std::getenv("QUIBIX_KILL_ROUNDS");
    const int rounds = env ? std::max(1, std::atoi(env)) : 60;
    // More data than is worth copying after the record: written in place.
    struct Case { const char* what; bool settings; size_t tailBytes; int share; /* of the rounds */ };
    const Case cases[] = {{"scores replaced whole", false, 3000, 1},
                          {"scores written in place", false, kMaxCopyBytes + 4096, 4},
                          {"settings replaced whole", true, 3000, 2},
                          {"settings written in place", true, kMaxCopyBytes + 4096, 4}};
    std::mt19937 random(std::random_device{}());
    for (const Case& c : cases) {
        QTemporaryDir temp;
        const fs::path dir = temp.path().toStdString();
        const fs::path file = dir / (c.settings ? "Quibix.cfg" : "Quibix.dat");
        auto write = [&](int v) {
            return c.settings ? SettingsFile(file).write(settingsVersion(v))
                              : HighScoreFile(file).write(scoreVersion(v));
        };
        std::ofstream(file, std::ios::binary) << patternBytes(608 + c.tailBytes);

        std::string versions[2];
        for (int v = 0; v < 2; ++v) {
            ASSERT_TRUE(write(v));
            versions[v] = fileBytes(file);
        }
        for (int round = 0; round < std::max(2, rounds / c.share); ++round) {
            const pid_t writer = startWriter(file, c.settings);
            ::usleep(std::uniform_int_distribution<useconds_t>(0, 4000)(random));
            ::kill(writer, SIGKILL);
            ::waitpid(writer, nullptr, 0);

            const std::string now = fileBytes(file);
            ASSERT_TRUE(now == versions[0] || now == versions[1]) << c.what << ": torn after kill " << round;
            for (const auto& entry : fs::directory_iterator(dir)) {
                const auto name = entry.path().filename();
                ASSERT_TRUE(name == file.filename() || name == tempPathFor(file).filename()) << name;
            }
        }
    }
}

} // namespace
