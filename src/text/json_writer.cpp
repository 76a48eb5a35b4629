#include "text/json_writer.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace mirvok {
namespace {

template <typename T, typename Format>
std::string listOf(const std::vector<T>& values, Format format) {
    std::vector<std::string> items;
    items.reserve(values.size());
    for (const T& value : values) items.push_back(format(value));
    return jsonList(items);
}

std::string joined(const std::vector<std::string>& parts, std::string_view separator) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) out += separator;
        out += parts[i];
    }
    return out;
}

}  // namespace

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

std::string jsonList(const std::vector<std::string>& items) {
    return "[" + joined(items, ", ") + "]";
}

void JsonObjectWriter::key(std::string_view name) {
    members_.push_back(jsonString(name) + ": ");
}

void JsonObjectWriter::member(std::string_view name, long long value) {
    raw(name, std::to_string(value));
}

void JsonObjectWriter::member(std::string_view name, double value) {
    raw(name, jsonNumber(value));
}

void JsonObjectWriter::member(std::string_view name, std::string_view text) {
    raw(name, jsonString(text));
}

void JsonObjectWriter::member(std::string_view name, const std::vector<int>& values) {
    raw(name, listOf(values, [](int v) { return std::to_string(v); }));
}

void JsonObjectWriter::member(std::string_view name, const std::vector<double>& values) {
    raw(name, listOf(values, jsonNumber));
}

void JsonObjectWriter::flag(std::string_view name, bool value) {
    raw(name, value ? "true" : "false");
}

void JsonObjectWriter::raw(std::string_view name, std::string_view json) {
    key(name);
    members_.back() += json;
}

void JsonObjectWriter::merge(const JsonObjectWriter& other) {
    members_.insert(members_.end(), other.members_.begin(), other.members_.end());
}

std::string JsonObjectWriter::object() const {
    return "{" + joined(members_, ", ") + "}";
}

std::string JsonObjectWriter::text() const {
    return object() + "\n";
}

std::string JsonObjectWriter::lines() const {
    if (members_.empty()) return "{}\n";
    return "{\n  " + joined(members_, ",\n  ") + "\n}\n";
}

}  // namespace mirvok
