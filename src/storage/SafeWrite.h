#pragma once
// Reading and writing a few bytes at fixed positions of a data file of any
// size, without ever leaving a torn file behind. The score file and the
// settings file both keep bytes they do not use (the score file's first 28
// bytes, whatever follows either record), so a write changes only a range.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace quibix {

// Reads `size` bytes at `offset` of the ordinary file `file` into `out`;
// bytes beyond the end of the file read as zero, and nothing else of the
// file is read, so a file of any size reads as fast as a small one.
// `exists` tells whether the file was there. Returns 0, or the errno of
// why an existing file cannot be read (EISDIR for a folder, EINVAL for a
// pipe or device, which could block or never end).
int readBytesAt(const std::filesystem::path& file, std::uint64_t offset, std::size_t size,
                std::string& out, bool& exists);

// The first `size` bytes of one of the game's data files, as many as the
// file holds (fewer when it is shorter). A missing file is created empty,
// as the game always did (a folder that refuses it loses nothing: there is
// nothing in it yet). False with `error` set ("cannot read <file>:
// <reason>") when the file exists but cannot be read.
bool readFileHead(const std::filesystem::path& file, std::size_t size, std::string& bytes,
                  std::string* error = nullptr);

enum class WriteMethod {
    Replaced, // a complete new file was renamed over the old one
    InPlace,  // the bytes were written into the existing file
};

struct WriteOutcome {
    bool ok = false;
    WriteMethod method = WriteMethod::Replaced;
    std::string error; // "cannot write <file>: <reason>" when not ok
};

// Puts `bytes` at `offset` of `file` and keeps every other byte of it; a
// shorter file grows (zeros up to `offset`), a missing one is created. A
// link is written through, so it stays a link; a link to a missing file
// too: the file is made where the link points, as the player who made the
// link meant (where that folder is missing, the write fails and says so).
//
// Where the folder can be written, the file is replaced whole: a copy under
// the one fixed name tempPathFor(file) (reused, never piling up), made by
// copying only its data extents (holes stay holes, so a sparse file of
// gigabytes copies in milliseconds), with the range patched in, flushed to
// disk and renamed over the old file. A crash at any moment leaves the
// whole old file or the whole new one.
//
// The bytes are written in place instead (one write, then a flush to disk)
// when no copy can be put in the file's place (the folder cannot be
// written but the file can, the disk has no room for a copy), when the file
// has other hard links that a replacement would cut off, or when it holds
// more than kMaxCopyBytes of data, whose copy would freeze the game. A range
// inside one 4 KiB page (the score rows are) is written by the kernel
// whole or not at all, so even a killed process cannot tear it there.
WriteOutcome writeBytesAt(const std::filesystem::path& file, std::uint64_t offset,
                          std::string_view bytes);

// Copies the ordinary file `from` to the new file `to` as writeBytesAt
// copies: only the data extents, so holes stay holes and a sparse file of
// gigabytes copies in milliseconds. The copy is the player's own new file,
// made with the usual mode for one (0666 less the umask), whatever the
// source's mode: a read-only original gives a copy that can be written. It
// is written under tempPathFor(to) and put in place whole, never over an
// existing `to` (a link included). False with `error` set ("cannot copy
// <from>: <reason>", EEXIST when `to` exists) when nothing was copied.
bool copyDataFile(const std::filesystem::path& from, const std::filesystem::path& to,
                  std::string* error = nullptr);

// The temporary file writeBytesAt uses for `file`: its name + ".tmp".
std::filesystem::path tempPathFor(const std::filesystem::path& file);

// Above this much data a replacement is not worth the wait.
constexpr std::uint64_t kMaxCopyBytes = 4u << 20;

} // namespace quibix
