// How soon an effect is heard after a silence long enough to pause the
// audio device: from play() to its first sample written by SDL's disk
// driver (which writes in real time). Target: within 30 ms.
#include "audio/SdlEffects.h"
#include "audio/SdlMixer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

using namespace quibix;
using Clock = std::chrono::steady_clock;

namespace {

constexpr double kTargetMs = 30.0;

// The first non-silent sample at or after byte `from`, as a byte offset.
long firstSound(const std::filesystem::path& file, long from)
{
    std::ifstream in(file, std::ios::binary);
    in.seekg(from);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        if (bytes[i] != 0 || bytes[i + 1] != 0)
            return from + static_cast<long>(i);
    }
    return -1;
}

} // namespace

int main()
{
    const std::filesystem::path raw = std::filesystem::temp_directory_path() / "quibix-latency.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    const std::filesystem::path effect = std::filesystem::path(QUIBIX_BUILT_APP_DIR) / "data" / "shoot.wav";

    std::vector<double> latencies;
    {
        SdlEffects effects(nullptr);
        if (!effects.available()) {
            std::printf("effect latency: no audio device; nothing to measure\n");
            return 0;
        }
        auto mixer = SdlMixer::acquire();
        for (int run = 0; run < 5; ++run) {
            // Silence until the device pauses.
            const auto quietSince = Clock::now();
            while (!mixer->paused() && Clock::now() - quietSince < std::chrono::seconds(10))
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            const long from = static_cast<long>(std::filesystem::file_size(raw));
            const auto start = Clock::now();
            effects.play(effect, kSoundAsync | kSoundNoDefault);
            long at = -1;
            while (at < 0 && Clock::now() - start < std::chrono::seconds(2)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                at = firstSound(raw, from);
            }
            latencies.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            if (at < 0)
                latencies.back() = 1e9;
        }
    }
    std::filesystem::remove(raw);
    std::sort(latencies.begin(), latencies.end());
    const double worst = latencies.back();
    std::printf("effect after a paused device, first sample written: median %.1f ms, worst %.1f ms\n",
                latencies[latencies.size() / 2], worst);
    std::printf("  %s  effect latency after silence %.1f ms (target <= %.0f ms)\n",
                worst <= kTargetMs ? "PASS" : "FAIL", worst, kTargetMs);
    return worst <= kTargetMs ? 0 : 1;
}
