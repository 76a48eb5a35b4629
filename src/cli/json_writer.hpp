#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mirvok::cli {

// One flat JSON object, written member by member. Doubles come out in the
// shortest form that reads back to the same value, with a full stop whatever
// the locale; integers in decimal.
class JsonObjectWriter {
  public:
    void member(std::string_view key, long long value);
    void member(std::string_view key, double value);
    void member(std::string_view key, const std::vector<int>& values);
    void member(std::string_view key, const std::vector<double>& values);
    // The finished object, followed by a line end.
    std::string text() const;

  private:
    void key(std::string_view name);
    std::string body_;
};

// The shortest round-trip text of a double; null for a value JSON cannot hold.
std::string jsonNumber(double value);
// A JSON string literal with the needed escapes.
std::string jsonString(std::string_view text);

}  // namespace mirvok::cli
