#include "Json.h"

namespace quibix::sim {

std::string jsonString(std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (byte < 0x20 || byte >= 0x7f) {
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xf];
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

std::string jsonPair(int a, int b)
{
    return "[" + std::to_string(a) + "," + std::to_string(b) + "]";
}

std::string jsonPairs(const std::vector<std::pair<int, int>>& pairs)
{
    std::string out = "[";
    for (std::size_t i = 0; i < pairs.size(); ++i)
        out += (i ? "," : "") + jsonPair(pairs[i].first, pairs[i].second);
    return out + "]";
}

std::string jsonInts(const std::vector<int>& values)
{
    std::string out = "[";
    for (std::size_t i = 0; i < values.size(); ++i)
        out += (i ? "," : "") + std::to_string(values[i]);
    return out + "]";
}

void JsonObject::key(std::string_view name)
{
    if (body_.size() > 1)
        body_ += ',';
    body_ += jsonString(name);
    body_ += ':';
}

JsonObject& JsonObject::add(std::string_view name, int64_t value)
{
    key(name);
    body_ += std::to_string(value);
    return *this;
}

JsonObject& JsonObject::add(std::string_view name, bool value)
{
    key(name);
    body_ += value ? "true" : "false";
    return *this;
}

JsonObject& JsonObject::add(std::string_view name, std::string_view text)
{
    key(name);
    body_ += jsonString(text);
    return *this;
}

JsonObject& JsonObject::addRaw(std::string_view name, std::string_view json)
{
    key(name);
    body_ += json;
    return *this;
}

} // namespace quibix::sim
