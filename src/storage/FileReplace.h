#pragma once
// Whole-file reads and crash-safe rewrites for the game's small data files.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace quibix {

using FileBytes = std::vector<unsigned char>;

// Reads `file` whole. A missing file gives `exists` false and no bytes.
// Returns false with `error` set when the file exists but cannot be read
// (a folder, a pipe, no permission).
bool readWholeFile(const std::filesystem::path& file, bool& exists, FileBytes& bytes,
                   std::string* error = nullptr);

// Creates `file` empty when it does not exist; a folder that refuses it is
// no loss, since there was nothing in it yet.
void createIfMissing(const std::filesystem::path& file);

// Rewrites `file`: its current bytes (none when missing) go through
// `patch`, and the result is written as a complete new file renamed over
// the old one, so a crash at any point leaves either the old content or the
// new. A link is written through to the file it names. Returns false with
// `error` set when the folder or file cannot be written; the old file is
// then untouched.
bool replaceFile(const std::filesystem::path& file, const std::function<void(FileBytes&)>& patch,
                 std::string* error = nullptr);

} // namespace quibix
