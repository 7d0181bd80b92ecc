#pragma once
// Reads one line of a quibix-sim script into a command. Parsing is strict:
// exact keywords, the exact number of arguments, plain decimal integers and
// their ranges, so a typing slip shows up as an error instead of a quietly
// different game.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace quibix::sim {

struct SeedCommand { uint32_t seed; };
struct NewCommand { int level; int shape; int group; }; // shape 0..5, 5 = random
struct ClearCommand { int bricks; };
struct PutCommand { int col; int row; int code; };
struct LoadCommand { int kind; int next; };
struct FuseCommand { int fuse; };
struct ShootCommand { int angle; };
struct BoardCommand {};
// The path is the rest of the line after "replay ", spaces included.
struct ReplayCommand { std::string path; };
// A blank line or a comment: no output at all.
struct NoCommand {};
// A line that is no command; the text says why.
struct BadLine { std::string reason; };

using Command = std::variant<NoCommand, BadLine, SeedCommand, NewCommand, ClearCommand,
                             PutCommand, LoadCommand, FuseCommand, ShootCommand, BoardCommand,
                             ReplayCommand>;

Command parseLine(std::string_view line);

// The shape names, by index.
std::string_view shapeName(int shape);

} // namespace quibix::sim
