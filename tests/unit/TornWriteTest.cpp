// A writer of the score or settings file killed with SIGKILL at random moments leaves
// the whole old file or the whole new one, and at most the one temporary.
// QUIBIX_KILL_ROUNDS sets the number of kills (`make kill-test` for many).
#include "storage/HighScoreFile.h"
#include "storage/SettingsFile.h"
#include "tools/ScoreVersions.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace quibix;

namespace {

int rounds()
{
    const char* env = std::getenv("QUIBIX_KILL_ROUNDS");
    return env ? std::max(1, std::atoi(env)) : 60;
}

std::string contents(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Starts the writer and returns once it is inside its loop.
pid_t startWriter(const fs::path& file, bool settings)
{
    int pipeFds[2];
    EXPECT_EQ(::pipe(pipeFds), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::close(pipeFds[0]);
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
    struct Case { const char* what; bool settings; size_t tailBytes; int share; /* of the rounds */ };
    // More data than is worth copying after the record: written in place.
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
            return c.settings ? SettingsFile(file).write(quibix::testing::settingsVersion(v))
                              : HighScoreFile(file).write(quibix::testing::scoreVersion(v));
        };
        std::string initial = std::string(608, 'H');
        for (size_t i = 0; i < c.tailBytes; ++i) // a pattern, so a shifted copy shows
            initial += static_cast<char>('a' + i % 23);
        std::ofstream(file, std::ios::binary) << initial;

        std::string versions[2];
        for (int v = 0; v < 2; ++v) {
            ASSERT_TRUE(write(v));
            versions[v] = contents(file);
        }
        const int n = std::max(2, rounds() / c.share);
        for (int round = 0; round < n; ++round) {
            const pid_t writer = startWriter(file, c.settings);
            ::usleep(std::uniform_int_distribution<useconds_t>(0, 4000)(random));
            ::kill(writer, SIGKILL);
            ::waitpid(writer, nullptr, 0);

            const std::string now = contents(file);
            ASSERT_TRUE(now == versions[0] || now == versions[1]) << c.what << ": torn after kill " << round;
            for (const auto& entry : fs::directory_iterator(dir)) {
                const auto name = entry.path().filename();
                ASSERT_TRUE(name == file.filename() || name == tempPathFor(file).filename()) << name;
            }
        }
        // A finished write leaves no temporary at all.
        ASSERT_TRUE(write(0));
        EXPECT_FALSE(fs::exists(tempPathFor(file))) << c.what;
    }
}

} // namespace
