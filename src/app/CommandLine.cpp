#include "app/CommandLine.h"

#include "form/Form1.h"

#include <charconv>

namespace quibix {

namespace {

// A whole number in [kMinScale, kMaxScale], nothing else ("2x", "1.5" and
// "" are refused rather than half-read).
bool parseScale(const std::string& text, int& scale)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || value < kMinScale || value > kMaxScale)
        return false;
    scale = value;
    return true;
}

CommandLine failure(std::string why)
{
    CommandLine result;
    result.action = CommandLine::Action::Error;
    result.error = std::move(why);
    return result;
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args)
{
    CommandLine result;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            result.action = CommandLine::Action::Help;
            return result; // help wins over anything else on the line
        }
        if (arg == "--version") {
            result.action = CommandLine::Action::Version;
        } else if (arg == "--scale" || arg.rfind("--scale=", 0) == 0) {
            std::string value;
            if (arg == "--scale") {
                if (i + 1 >= args.size())
                    return failure("--scale needs a number from 1 to 4");
                value = args[++i];
            } else {
                value = arg.substr(8);
            }
            if (!parseScale(value, result.scale))
                return failure("--scale must be a whole number from 1 to 4, not \"" + value + "\"");
        } else if (arg == "--replay" || arg.rfind("--replay=", 0) == 0) {
            if (arg == "--replay" && i + 1 >= args.size())
                return failure("--replay needs a replay file");
            result.replay = arg == "--replay" ? args[++i] : arg.substr(9);
            if (result.replay.empty())
                return failure("--replay needs a replay file");
        } else {
            return failure("unknown option \"" + arg + "\"");
        }
    }
    return result;
}

std::string usageText()
{
    return "Usage: quibix [--scale N] [--replay FILE]\n"
           "       quibix --help | --version\n";
}

std::string versionText()
{
    return std::string("Quibix ") + kVersion + "\n";
}

std::string helpText(const GameFolders& folders)
{
    const std::string app = folders.appFolder.string();
    const std::string own = folders.userFolder.empty() ? app + "/data" : folders.userFolder.string();
    std::string text = usageText();
    text += "\nA puzzle game: aim the cannon with the mouse (or the arrow keys, or a\n"
            "gamepad), click (or press Space) to fire, and make groups of equal\n"
            "pieces vanish before the board comes down.\n"
            "\nOptions:\n"
            "  --scale N   show the window N times its size (1 to 4); without it\n"
            "              the window follows the desktop's scale factor and\n"
            "              opens as it was left\n"
            "  --replay FILE\n"
            "              watch a recorded game (a key or a click stops it)\n"
            "  --help      show this help and exit\n"
            "  --version   show the version and exit\n"
            "\nFiles:\n";
    text += "  " + app + "/data/\n      sounds, music and pictures\n";
    text += "  " + app + "/<skin>/\n      the skins, one folder each\n";
    text += "  " + app + "/Readme.txt\n      how to play\n";
    text += "  " + own + "/Quibix.dat\n      the high scores\n";
    text += "  " + own + "/Quibix.cfg\n      the settings kept by \"Save Settings\"\n";
    text += "  " + own + "/replays/\n      the games played, newest and best kept\n";
    if (!folders.userFolder.empty())
        text += "  " + own + "/<skin>/\n      skins of your own, offered beside the others\n";
    text += "  $XDG_CONFIG_HOME/quibix/quibix.ini (~/.config/quibix/quibix.ini)\n"
            "      the window's size, scale and full screen\n";
    if (!folders.problem.empty())
        text += "\nNote: " + folders.problem + ".\n";
    text += "\nAn installed copy, or one in a folder you cannot write, keeps its high\n"
            "scores and settings in $XDG_DATA_HOME/quibix (~/.local/share/quibix).\n"
            "\nEnvironment:\n"
            "  XDG_DATA_HOME    the folder for your own files, as above\n"
            "  HOME             your home folder, when XDG_DATA_HOME is not set\n"
            "  QT_SCALE_FACTOR  the desktop's scale factor, followed without --scale\n"
            "  QT_SCREEN_SCALE_FACTORS, QT_ENABLE_HIGHDPI_SCALING\n"
            "                   the desktop's scale, as above\n"
            "  SDL_SOUNDFONTS   General MIDI sound fonts for the music, separated\n"
            "                   by ';'; the first one that is a sound font is used\n"
            "  QUIBIX_SOUNDFONT_DIRS\n"
            "                   folders searched for a sound font otherwise,\n"
            "                   separated by ':' (default: /usr/share/sounds/sf2,\n"
            "                   /usr/share/sounds/sf3, /usr/share/soundfonts,\n"
            "                   /usr/local/share/soundfonts)\n"
            "  QUIBIX_START_SCREEN\n"
            "                   1 to 4: each game starts on that screen, with its\n"
            "                   brick rows (practice for the harder screens)\n";
    return text;
}

} // namespace quibix
