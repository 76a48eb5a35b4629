#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mirvok {

// One JSON object, written member by member in the order given. Doubles come
// out in the shortest form that reads back to the same value, with a full
// stop whatever the locale; integers in decimal.
class JsonObjectWriter {
  public:
    void member(std::string_view key, long long value);
    void member(std::string_view key, double value);
    void member(std::string_view key, std::string_view text);  // a JSON string
    void member(std::string_view key, const std::vector<int>& values);
    void member(std::string_view key, const std::vector<double>& values);
    void flag(std::string_view key, bool value);
    // A value that is JSON text already: a nested object or list.
    void raw(std::string_view key, std::string_view json);
    // The members of another object, after these.
    void merge(const JsonObjectWriter& other);

    // The object on one line, without a line end.
    std::string object() const;
    // The object on one line, followed by a line end.
    std::string text() const;
    // The object with every member on a line of its own (nested values stay
    // on theirs), followed by a line end: for files people read and diff.
    std::string lines() const;

  private:
    void key(std::string_view name);
    std::vector<std::string> members_;
};

// The shortest round-trip text of a double; null for a value JSON cannot hold.
std::string jsonNumber(double value);
// A JSON string literal with the needed escapes.
std::string jsonString(std::string_view text);
// A JSON list of the given JSON texts.
std::string jsonList(const std::vector<std::string>& items);

}  // namespace mirvok
