#include "JsonOutput.h"

#include "core/numbers.h"

#include <cmath>
#include <cstdio>

namespace quelmar::cli {

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string jsonNumber(double value, int decimals) {
    return std::isfinite(value) ? fixed(value, decimals) : "null";
}

std::string jsonArray(const std::vector<std::string>& values) {
    std::string out = "[";
    for (std::size_t i = 0; i < values.size(); ++i)
        out += (i ? "," : "") + values[i];
    return out + "]";
}

JsonObject& JsonObject::value(std::string_view key, std::string json) {
    fields_ += (fields_.empty() ? "" : ",") + jsonString(key) + ":" + json;
    return *this;
}

JsonObject& JsonObject::text(std::string_view key, std::string_view value) {
    return this->value(key, jsonString(value));
}

JsonObject& JsonObject::count(std::string_view key, long long value) {
    return this->value(key, std::to_string(value));
}

JsonObject& JsonObject::number(std::string_view key, double value, int decimals) {
    return this->value(key, jsonNumber(value, decimals));
}

} // namespace quelmar::cli
