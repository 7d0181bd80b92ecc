#pragma once
// What every fuzz target shares: the seed corpus it writes when the build
// runs it with --write-seeds=DIR, a scratch folder in memory, and a check
// that stops the run with the failing property named.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace quibix::fuzz {

// The target's seeds: good inputs, short ones, every field at its limits.
std::vector<std::string> seeds();

// Each target's one-time set-up (may be empty).
void setUp();

// A folder for files the target writes: in memory where possible, so the
// flushes to disk cost nothing and wear no disk.
inline std::filesystem::path scratchFolder()
{
    const std::filesystem::path base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp";
    static const std::filesystem::path folder = base / ("quibix-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    return folder;
}

inline void removeScratch()
{
    std::error_code ec;
    std::filesystem::remove_all(scratchFolder(), ec);
}

[[noreturn]] inline void fail(const char* property, const char* file, int line)
{
    std::fprintf(stderr, "property broken: %s (%s:%d)\n", property, file, line);
    std::abort();
}

} // namespace quibix::fuzz

#define FUZZ_CHECK(cond) ((cond) ? (void)0 : ::quibix::fuzz::fail(#cond, __FILE__, __LINE__))

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    const std::string flag = "--write-seeds=";
    for (int i = 1; i < *argc; ++i) {
        const std::string arg = (*argv)[i];
        if (arg.compare(0, flag.size(), flag) != 0)
            continue;
        const std::filesystem::path dir = arg.substr(flag.size());
        std::filesystem::create_directories(dir);
        int n = 0;
        for (const std::string& seed : quibix::fuzz::seeds())
            std::ofstream(dir / ("seed-" + std::to_string(n++)), std::ios::binary) << seed;
        std::exit(0);
    }
    // Made before the clean-up is registered, so it is destroyed after it.
    quibix::fuzz::scratchFolder();
    std::atexit(quibix::fuzz::removeScratch);
    quibix::fuzz::setUp();
    return 0;
}
