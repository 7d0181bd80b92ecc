#pragma once
// Just enough JSON for the simulator's one-line objects: fields in the order
// they are added, integers, Booleans, strings and nested arrays.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quibix::sim {

// `text` as a JSON string literal. Bytes outside printable ASCII are written
// as \u00XX, so whatever a script holds, the output stays one valid line.
std::string jsonString(std::string_view text);

// [a,b]
std::string jsonPair(int a, int b);
// [[a,b],[c,d],...]
std::string jsonPairs(const std::vector<std::pair<int, int>>& pairs);
// [1,2,3]
std::string jsonInts(const std::vector<int>& values);

class JsonObject {
public:
    JsonObject& add(std::string_view name, int64_t value);
    JsonObject& add(std::string_view name, int value) { return add(name, static_cast<int64_t>(value)); }
    JsonObject& add(std::string_view name, bool value);
    JsonObject& add(std::string_view name, std::string_view text);
    JsonObject& add(std::string_view name, const char* text) { return add(name, std::string_view(text)); }
    // A value already written as JSON.
    JsonObject& addRaw(std::string_view name, std::string_view json);
    std::string str() const { return body_ + "}"; }

private:
    void key(std::string_view name);
    std::string body_ = "{";
};

} // namespace quibix::sim
