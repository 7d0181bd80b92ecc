#pragma once
// The program's command line: --scale N, --replay FILE, --help, --version. Parsed before
// the window system is touched, so --help works without a display.
#include "storage/UserFiles.h"

#include <string>
#include <vector>

namespace quibix {

struct CommandLine {
    enum class Action { Play, Help, Version, Error };
    Action action = Action::Play;
    int scale = 0;      // 1..4 when given; 0 follows the desktop
    std::string replay; // --replay FILE: a recorded game to watch
    std::string error;  // what was wrong, for Action::Error
};

constexpr int kMinScale = 1;
constexpr int kMaxScale = 4;

// `args` are the arguments after the program name.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// One line per form of the command.
std::string usageText();

// Usage, options, the files and folders this copy uses, and the
// environment variables it honours.
std::string helpText(const GameFolders& folders);

std::string versionText();

} // namespace quibix
