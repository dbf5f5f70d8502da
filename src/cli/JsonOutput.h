#pragma once
// Results printed for programs rather than people (--json): one JSON value on standard output.

#include <string>
#include <string_view>
#include <vector>

namespace quelmar::cli {

// A text as a JSON string, with quotes and escapes.
std::string jsonString(std::string_view text);
// A number with the given decimals, or null when it is not finite.
std::string jsonNumber(double value, int decimals);
// Values already in JSON, as an array.
std::string jsonArray(const std::vector<std::string>& values);

// An object built field by field, in the order given.
class JsonObject {
public:
    JsonObject& text(std::string_view key, std::string_view value);
    JsonObject& count(std::string_view key, long long value);
    JsonObject& number(std::string_view key, double value, int decimals);
    JsonObject& value(std::string_view key, std::string json); // a value already in JSON
    std::string str() const { return "{" + fields_ + "}"; }

private:
    std::string fields_;
};

} // namespace quelmar::cli
