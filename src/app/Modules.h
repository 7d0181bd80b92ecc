#pragma once
// The program's own modules: next to the program (the build) or in the
// library folder of an installed tree (games/ -> lib/games/quibix/).
#include <filesystem>
#include <string>

namespace quibix {

// The entry point `symbol` of module `name`, loaded for good (its code must
// stay while the program runs); null, with `why` set, when it cannot be.
void* moduleEntry(const std::filesystem::path& programFolder, const char* name, const char* symbol,
                  std::string& why);

} // namespace quibix
