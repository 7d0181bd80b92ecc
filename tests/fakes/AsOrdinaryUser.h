#pragma once
// Permissions do not bind root, and CI runs as root. As root, runs the
// calling test again as "nobody" (via setpriv), checks it passed, returns
// false; as anyone else returns true and the test goes on.
#include "fakes/FileBytes.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quibix::testing {

inline bool runHereAsOrdinaryUser()
{
    namespace fs = std::filesystem;
    if (::geteuid() != 0)
        return true;
    const passwd* user = ::getpwnam("nobody");
    if (user == nullptr || !fs::exists("/usr/bin/setpriv")) {
        ADD_FAILURE() << "running as root, and no user 'nobody' or no setpriv to drop privileges";
        return false;
    }

    // The program and sanitizer suppressions copied where "nobody" can read them.
    const auto open = fs::perms::all & ~(fs::perms::group_write | fs::perms::others_write);
    char pattern[] = "/tmp/quibix-user-XXXXXX";
    const fs::path dir = ::mkdtemp(pattern);
    const fs::path program = dir / "quibix_tests";
    fs::copy_file("/proc/self/exe", program);
    fs::permissions(dir, open);
    fs::permissions(program, open);
    std::string lsan = std::getenv("LSAN_OPTIONS") ? std::getenv("LSAN_OPTIONS") : "";
    if (const auto at = lsan.find("suppressions="); at != std::string::npos) {
        const std::string supp = lsan.substr(at + 13, lsan.find(':', at) - (at + 13));
        std::error_code ec;
        fs::copy_file(supp, dir / "lsan.supp", ec);
        fs::permissions(dir / "lsan.supp", open, ec);
        lsan.replace(at + 13, supp.size(), (dir / "lsan.supp").string());
    }

    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string filter = std::string("--gtest_filter=") + info->test_suite_name() + "." + info->name();
    const fs::path log = dir / "output.txt";
    const pid_t child = ::fork();
    if (child == 0) {
        if (std::FILE* out = std::freopen(log.c_str(), "w", stdout))
            ::dup2(::fileno(out), STDERR_FILENO);
        ::setenv("HOME", dir.c_str(), 1);
        ::unsetenv("XDG_RUNTIME_DIR");
        ::setenv("LSAN_OPTIONS", lsan.c_str(), 1);
        const std::string uid = "--reuid=" + std::to_string(user->pw_uid);
        const std::string gid = "--regid=" + std::to_string(user->pw_gid);
        ::execl("/usr/bin/setpriv", "setpriv", uid.c_str(), gid.c_str(), "--clear-groups", "--",
                program.c_str(), filter.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    // Ran and passed there (a skipped test passes none), and ended cleanly.
    const std::string output = fileBytes(log);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
    std::error_code ec;
    fs::remove_all(dir, ec);
    return false;
}

} // namespace quibix::testing
