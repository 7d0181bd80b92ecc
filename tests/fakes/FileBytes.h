#pragma once
// Bytes to write into a file and to read back from it.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace quibix::testing {

inline std::string fileBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Bytes that differ from their neighbours, so a shifted copy shows.
inline std::string patternBytes(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i % 251 * 7 + 3); // 251: a page-sized shift shows too
    return bytes;
}

} // namespace quibix::testing
