#include "app/Modules.h"

#include <dlfcn.h>

namespace quibix {

void* moduleEntry(const std::filesystem::path& programFolder, const char* name, const char* symbol,
                  std::string& why)
{
    why = "not found";
    for (const std::filesystem::path& file :
         {programFolder / name, programFolder / ".." / "lib" / "games" / "quibix" / name}) {
        std::error_code ec;
        if (!std::filesystem::exists(file, ec))
            continue;
        // Never closed: the ports' code lives in it until the program ends.
        void* module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        void* entry = module ? dlsym(module, symbol) : nullptr;
        if (!entry) {
            const char* error = dlerror();
            why = error ? error : "no entry point";
        }
        return entry;
    }
    return nullptr;
}

} // namespace quibix
