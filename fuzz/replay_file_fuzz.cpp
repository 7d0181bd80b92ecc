// Replay files: any bytes are read without harm, and whatever is taken is
// written back as exactly the text it came from, so a replay that loads
// is one the game itself could have written.
#include "FuzzSupport.h"

#include "storage/ReplayFile.h"

#include <string_view>

using namespace quibix;

namespace quibix::fuzz {

void setUp() {}

std::vector<std::string> seeds()
{
    const std::string head = "Quibix replay 1\nlevel easy\ngroup 3\nshape 0\npieces 0 1 2 3 4 5\n";
    return {
        head + "screen 0 12345 2\nshot 90 777\nshot 2 -\ngroup 6\nshape 5\nname Bot 1\nend lost 1234 1\n",
        head + "end stopped 0 0\n",
        "Quibix replay 1\nlevel hard\ngroup 6\nshape 5\npieces 11 10 9 8 7 6\n"
        "screen 32767 4294967295 1000000\nshot 178 0\nend left 2147483647 32767\n",
        "Quibix replay 2\n",
        head + "shot 1 5\n",
        head + "name \xC3\xA9t\xC3\xA9\nend lost 5 0\n",
    };
}

} // namespace quibix::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const std::optional<Replay> replay = parseReplay(text, &error);
    if (!replay) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    FUZZ_CHECK(replay->events.size() <= kMaxReplayEvents);
    FUZZ_CHECK(formatReplay(*replay) == text);

    // Through a file, as the game reads it.
    const std::filesystem::path file = fuzz::scratchFolder() / "game.replay";
    std::filesystem::remove(file);
    FUZZ_CHECK(writeReplay(file, *replay));
    const std::optional<Replay> again = readReplay(file);
    FUZZ_CHECK(again && *again == *replay);
    return 0;
}
