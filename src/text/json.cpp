#include "text/json.hpp"

namespace mirvok {
namespace {

// Deeper than any file of this program (a provenance list's segments are
// four levels down) and far from what the stack can take.
constexpr int kDeepest = 32;

bool nestsTooDeep(std::string_view text) {
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kDeepest) return true;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return false;
}

}  // namespace

std::string jsonLine(const Json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string jsonMemberLines(const Json& object) {
    if (object.empty()) return "{}\n";
    std::string text = "{";
    for (const auto& [key, value] : object.items())
        text += (text.size() > 1 ? ",\n  " : "\n  ") + jsonLine(key) + ": " + jsonLine(value);
    return text + "\n}\n";
}

std::optional<Json> parseJson(std::string_view text) {
    if (nestsTooDeep(text)) return std::nullopt;
    Json value = Json::parse(text, nullptr, false);
    if (value.is_discarded()) return std::nullopt;
    return value;
}

}  // namespace mirvok
