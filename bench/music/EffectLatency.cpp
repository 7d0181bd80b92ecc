// How soon an effect is heard after a silence long enough to close the
// audio device: from play() to the moment SDL's disk driver plays its first
// sample. That driver makes its file anew at each opening and then takes
// one buffer per buffer length, as a sound card would, so a sample at byte
// B of the file sounds B / (bytes per second) after the file appeared
// (the file's own writes lag behind in the C library's buffer, so when
// they show says little). Target: within 30 ms.
#include "audio/SdlEffects.h"
#include "audio/SdlMixer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>
#include <vector>

using namespace quibix;
using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

namespace {

constexpr double kTargetMs = 30.0;
constexpr double kBytesPerMs = 44100 * 4 / 1000.0; // 16-bit stereo

// The first non-silent sample of `file`, as a byte offset; -1 while there
// is none (or no file yet).
long firstSound(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        if (bytes[i] != 0 || bytes[i + 1] != 0)
            return static_cast<long>(i);
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
        for (int run = 0; run < 9; ++run) {
            // Silence until the device closes; its recording goes with it.
            const auto quietSince = Clock::now();
            while (mixer->open() && Clock::now() - quietSince < std::chrono::seconds(10))
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (mixer->open()) {
                std::printf("  FAIL  the device stayed open through 10 s of silence\n");
                return 1;
            }
            std::filesystem::remove(raw);
            const auto start = Clock::now();
            effects.play(effect, kSoundAsync | kSoundNoDefault);
            std::optional<Clock::time_point> opened;
            long at = -1;
            while (at < 0 && Clock::now() - start < std::chrono::seconds(2)) {
                std::this_thread::sleep_for(std::chrono::microseconds(200));
                if (!opened && std::filesystem::exists(raw))
                    opened = Clock::now();
                at = opened ? firstSound(raw) : -1;
            }
            latencies.push_back(at < 0 ? 1e9 : Ms(*opened - start).count() + at / kBytesPerMs);
        }
    }
    std::filesystem::remove(raw);
    std::printf("effect after the device closed for silence, play() to its first sample sounding (ms):");
    for (double ms : latencies)
        std::printf(" %.1f", ms);
    std::sort(latencies.begin(), latencies.end());
    const double worst = latencies.back();
    std::printf("\n  median %.1f ms, worst %.1f ms\n", latencies[latencies.size() / 2], worst);
    std::printf("  %s  effect latency after silence %.1f ms (target <= %.0f ms)\n",
                worst <= kTargetMs ? "PASS" : "FAIL", worst, kTargetMs);
    return worst <= kTargetMs ? 0 : 1;
}
