// The command line and the window's scale on screens of every size.
#include "app/CommandLine.h"
#include "app/WindowScale.h"

#include <gtest/gtest.h>

namespace quibix {
namespace {

using Action = CommandLine::Action;

TEST(CommandLineTest, OptionsAndTheirMistakes)
{
    struct Case { std::vector<std::string> args; Action action; int scale; };
    const Case cases[] = {
        {{}, Action::Play, 0},           {{"--scale", "1"}, Action::Play, 1},
        {{"--scale=4"}, Action::Play, 4}, {{"--scale", "0"}, Action::Error, 0},
        {{"--scale", "5"}, Action::Error, 0}, {{"--scale", "2x"}, Action::Error, 0},
        {{"--scale="}, Action::Error, 0}, {{"--scale"}, Action::Error, 0},
        {{"-h"}, Action::Help, 0},       {{"--bogus", "--help"}, Action::Error, 0},
        {{"--scale", "2", "--help"}, Action::Help, 0}, {{"--version"}, Action::Version, 0},
        {{"-scale", "2"}, Action::Error, 0}, {{"game.dat"}, Action::Error, 0},
    };
    for (const Case& c : cases) {
        const CommandLine parsed = parseCommandLine(c.args);
        const std::string line = ::testing::PrintToString(c.args);
        EXPECT_EQ(parsed.action, c.action) << line;
        if (c.action == Action::Play) {
            EXPECT_EQ(parsed.scale, c.scale) << line;
        }
        EXPECT_EQ(parsed.error.empty(), c.action != Action::Error) << line;
    }
}

TEST(CommandLineTest, HelpNamesTheFilesOfThisCopy)
{
    GameFolders installed;
    installed.appFolder = "/opt/games/share/quibix";
    installed.userFolder = "/home/p/.local/share/quibix";
    const std::string help = helpText(installed);
    for (const char* expected : {"/opt/games/share/quibix/data/", "/home/p/.local/share/quibix/Quibix.dat"})
        EXPECT_NE(help.find(expected), std::string::npos) << expected;
    // Every variable the program reads, as a whole name (QT_SCALE_FACTOR is
    // not found in QT_SCALE_FACTORS).
    auto names = [&help](const std::string& variable) {
        for (std::size_t at = help.find(variable); at != std::string::npos; at = help.find(variable, at + 1)) {
            const char after = help[at + variable.size()];
            if ((at == 0 || help[at - 1] == ' ') && (after == ' ' || after == ',' || after == '\n'))
                return true;
        }
        return false;
    };
    for (const char* variable : {"XDG_DATA_HOME", "HOME", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                                 "QT_ENABLE_HIGHDPI_SCALING", "QUIBIX_START_SCREEN", "SDL_SOUNDFONTS",
                                 "QUIBIX_SOUNDFONT_DIRS"})
        EXPECT_TRUE(names(variable)) << variable;
}

TEST(WindowScaleTest, TheWindowNeverOpensLargerThanTheScreen)
{
    const QSize window(540, 517);
    struct Case { double wanted; QSize screen; double expected; };
    const Case cases[] = {
        {2, {1080, 1034}, 2},  // just fits
        {2, {1079, 1034}, 1},  // one pixel short
        {4, {1920, 1080}, 2},  // the largest whole factor that fits
        {3, {1620, 1550}, 2},  // one pixel short in height
        {1.5, {1920, 1080}, 1.5}, // the desktop's own factor, when it fits
        {2.5, {1200, 1100}, 2},
        {2, {800, 600}, 1},    // too small even for 1: the plain window
        {0, {0, 0}, 1},        // no screen known
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(fittingScale(c.wanted, window, c.screen), c.expected)
            << c.wanted << " on " << c.screen.width() << "x" << c.screen.height();
}

} // namespace
} // namespace quibix
