#pragma once
// Whole-file reads and crash-safe rewrites for the game's small data files.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace quibix {

using FileBytes = std::vector<unsigned char>;

// Reads `file` whole. A missing file is created empty, as the game always
// did, and reads as no bytes (a folder that refuses it loses nothing: there
// was nothing in it yet). Returns false with `error` set when the file
// exists but cannot be read (a folder, a pipe, no permission).
bool readOrCreate(const std::filesystem::path& file, FileBytes& bytes, std::string* error = nullptr);

// Rewrites `file`: its current bytes (none when missing) go through
// `patch`, and the result is written as a complete new file renamed over
// the old one, so a crash at any point leaves either the old content or the
// new. A link is written through to the file it names. Returns false with
// `error` set when the folder or file cannot be written; the old file is
// then untouched.
bool replaceFile(const std::filesystem::path& file, const std::function<void(FileBytes&)>& patch,
                 std::string* error = nullptr);

} // namespace quibix
