#pragma once
// Names in the data files are single bytes of Windows-1252, so files stay
// byte-compatible with those written on Windows.
#include <string>
#include <string_view>

namespace quibix {

std::string cp1252ToUtf8(std::string_view bytes);
// Characters Windows-1252 cannot hold become '?'; invalid UTF-8 too.
std::string utf8ToCp1252(std::string_view text);
// Whether every character of the UTF-8 `text` has a Windows-1252 byte, so
// that storing it loses nothing.
bool fitsCp1252(std::string_view text);

} // namespace quibix
