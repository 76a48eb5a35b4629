#include "cli/json_writer.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace mirvok::cli {

std::string jsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", u);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

void JsonObjectWriter::key(std::string_view name) {
    body_ += body_.empty() ? "{" : ", ";
    body_ += jsonString(name);
    body_ += ": ";
}

void JsonObjectWriter::member(std::string_view name, long long value) {
    key(name);
    body_ += std::to_string(value);
}

void JsonObjectWriter::member(std::string_view name, double value) {
    key(name);
    body_ += jsonNumber(value);
}

void JsonObjectWriter::member(std::string_view name, const std::vector<int>& values) {
    key(name);
    body_ += '[';
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) body_ += ", ";
        body_ += std::to_string(values[i]);
    }
    body_ += ']';
}

void JsonObjectWriter::member(std::string_view name, const std::vector<double>& values) {
    key(name);
    body_ += '[';
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) body_ += ", ";
        body_ += jsonNumber(values[i]);
    }
    body_ += ']';
}

std::string JsonObjectWriter::text() const {
    return (body_.empty() ? "{" : body_) + "}\n";
}

}  // namespace mirvok::cli
