#include "records/provenance.hpp"

#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <ctime>
#include <limits>

#include "base/errors.hpp"
#include "system/file_chunks.hpp"
#include "system/file_replace.hpp"

namespace mirvok {
namespace {

using Clock = std::chrono::system_clock;

constexpr std::string_view kTimeForm = "0000-00-00T00:00:00Z";
constexpr std::string_view kListEnd = "\n]\n";
constexpr EntryState kStates[] = {EntryState::Complete, EntryState::Stopped, EntryState::Running,
                                  EntryState::Interrupted, EntryState::Failed};

std::string utcText(Clock::time_point when) {
    const std::time_t seconds = Clock::to_time_t(when);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

// A time as utcText writes it, from 1970 to 2261 (the clock counts
// nanoseconds, which overflow in 2262); nullopt for any other text, one that
// names no real second (February 30th, a leap second) included.
std::optional<Clock::time_point> utcTime(const std::string& text) {
    if (text.size() != kTimeForm.size()) return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
        if (kTimeForm[i] == '0' ? !digit : text[i] != kTimeForm[i]) return std::nullopt;
    }
    std::tm utc{};
    if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2dZ", &utc.tm_year, &utc.tm_mon,
                    &utc.tm_mday, &utc.tm_hour, &utc.tm_min, &utc.tm_sec) != 6 ||
        utc.tm_year < 1970 || utc.tm_year > 2261)
        return std::nullopt;
    utc.tm_year -= 1900;
    utc.tm_mon -= 1;
    const Clock::time_point when = Clock::from_time_t(timegm(&utc));
    if (utcText(when) != text) return std::nullopt;
    return when;
}

// Whether JSON can hold the text as it is: a name that is no UTF-8 is
// written with U+FFFD in place of its stray bytes (jsonLine).
bool isUtf8(const std::string& text) {
    try {
        (void)Json(text).dump();
        return true;
    } catch (const Json::type_error&) {
        return false;
    }
}

std::string toHex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0xf];
    }
    return hex;
}

std::optional<std::string> fromHex(std::string_view hex) {
    const auto digit = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    };
    if (hex.size() % 2 != 0) return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = digit(hex[i]);
        const int low = digit(hex[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

// Takes the members of an entry one by one, refusing one that is missing or
// of another kind with the reason why.
class EntryReader {
  public:
    EntryReader(Json entry, std::size_t number) : entry_(std::move(entry)), number_(number) {}

    std::string text(const char* key) { return take(key, &Json::is_string, "a text"); }
    Json object(const char* key) { return take(key, &Json::is_object, "an object"); }
    Clock::time_point time(const char* key) {
        const std::optional<Clock::time_point> when = utcTime(text(key));
        if (!when) refuse(key, "a time");
        return *when;
    }
    long long count(const char* key) {
        const Json value = take(key, &Json::is_number_integer, "a whole number");
        if (value.is_number_unsigned() &&
            value.get<std::uint64_t>() > std::numeric_limits<long long>::max())
            refuse(key, "a whole number");
        return value.get<long long>();
    }
    std::optional<std::uint64_t> seed() {
        if (!entry_.contains("seed")) return std::nullopt;
        return take("seed", &Json::is_number_unsigned, "a seed").get<std::uint64_t>();
    }
    std::optional<std::string> source() {
        if (!entry_.contains("source")) return std::nullopt;
        std::string name = text("source");
        if (entry_.contains("source_bytes")) {
            const std::optional<std::string> exact = fromHex(text("source_bytes"));
            if (!exact) refuse("source_bytes", "hex bytes");
            name = *exact;
        }
        return name;
    }
    EntryState state() {
        if (!entry_.contains("state")) return EntryState::Complete;
        const std::string name = text("state");
        for (const EntryState s : kStates)
            if (stateName(s) == name) return s;
        refuse("state", "a state");
    }
    std::optional<std::uint64_t> atByte() {
        if (!entry_.contains("at_byte")) return std::nullopt;
        return take("at_byte", &Json::is_number_unsigned, "a byte offset").get<std::uint64_t>();
    }
    // What is left once the entry's own members are taken.
    Json rest() { return std::move(entry_); }

  private:
    using Kind = bool (Json::*)() const noexcept;

    Json take(const char* key, Kind is, const char* kind) {
        const auto found = entry_.find(key);
        if (found == entry_.end() || !((*found).*is)()) refuse(key, kind);
        Json value = std::move(*found);
        entry_.erase(found);
        return value;
    }
    [[noreturn]] void refuse(const char* key, const char* kind) const {
        throw Error("entry " + std::to_string(number_) + ": \"" + key + "\" is not " + kind);
    }

    Json entry_;
    std::size_t number_;
};

Provenance entryOf(Json entry, std::size_t number) {
    if (!entry.is_object()) throw Error("entry " + std::to_string(number) + " is not an object");
    EntryReader read(std::move(entry), number);
    Provenance p;
    p.program = read.text("program");
    p.version = read.text("version");
    p.command = read.text("command");
    p.started = read.time("started");
    p.ended = read.time("ended");
    p.values = read.object("values");
    p.seed = read.seed();
    p.source = read.source();
    p.iterations = read.count("iterations");
    p.runs = read.count("runs");
    p.state = read.state();
    p.atByte = read.atByte();
    p.more = read.rest();
    return p;
}

bool isRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

// The list already there without its closing bracket, when it is a list of
// entries.
std::optional<std::string> provenanceListHead(const std::string& path) {
    std::optional<std::string> text;
    try {
        text = readWholeFile(path);
        if (!text) return std::nullopt;
        const bool empty = parseProvenance(*text).empty();
        text->resize(text->rfind(']'));
        while (!text->empty() && std::isspace(static_cast<unsigned char>(text->back())))
            text->pop_back();
        *text += empty ? "\n" : ",\n";
    } catch (const Error&) {
        return std::nullopt;
    }
    return text;
}

std::string provenanceEntry(const Provenance& p) {
    Json json;
    json["program"] = p.program;
    json["version"] = p.version;
    json["command"] = p.command;
    json["started"] = utcText(p.started);
    json["ended"] = utcText(p.ended);
    json["values"] = p.values;
    if (p.seed) json["seed"] = *p.seed;
    if (p.source) {
        json["source"] = *p.source;
        // File names are bytes: the exact ones, for a name JSON cannot hold.
        if (!isUtf8(*p.source)) json["source_bytes"] = toHex(*p.source);
    }
    json["iterations"] = p.iterations;
    json["runs"] = p.runs;
    // A complete entry reads as those of earlier versions, which wrote only complete ones.
    if (p.state != EntryState::Complete) json["state"] = stateName(p.state);
    if (p.atByte) json["at_byte"] = *p.atByte;
    for (const auto& [key, value] : p.more.items()) json[key] = value;
    return jsonLine(json);
}

std::vector<Provenance> parseProvenance(std::string_view text) {
    const std::optional<Json> list = parseJson(text);
    if (!list) throw Error("it is no JSON");
    if (!list->is_array()) throw Error("it is no list");
    std::vector<Provenance> entries;
    for (const Json& entry : *list) entries.push_back(entryOf(entry, entries.size() + 1));
    return entries;
}

std::string provenancePath(const std::string& resultFile) {
    return linkTarget(resultFile) + ".json";
}

std::string_view stateName(EntryState state) {
    switch (state) {
        case EntryState::Complete:
            return "complete";
        case EntryState::Stopped:
            return "stopped";
        case EntryState::Running:
            return "running";
        case EntryState::Interrupted:
            return "interrupted";
        case EntryState::Failed:
            break;
    }
    return "failed";
}

std::optional<long long> continuedFrom(const Provenance& entry) {
    const auto found = entry.more.find("continued_from");
    if (found == entry.more.end()) return 0;
    if (!found->is_number_integer() || found->get<long long>() < 0 ||
        found->get<long long>() > 0x7fffffff)
        return std::nullopt;
    return found->get<long long>();
}

void dropEmptyEntries(std::vector<Provenance>& entries, std::uint64_t fileSize) {
    while (!entries.empty() && entries.back().atByte && *entries.back().atByte >= fileSize)
        entries.pop_back();
}

std::string provenanceList(const std::string& head, const Provenance& entry) {
    return head + provenanceEntry(entry) + std::string(kListEnd);
}

std::optional<std::vector<Provenance>> readProvenance(const std::string& path) {
    const std::optional<std::string> text = readWholeFile(path);
    if (!text) return std::nullopt;
    try {
        return parseProvenance(*text);
    } catch (const Error& e) {
        throw Error(path + " is not a list of provenance entries: " + e.what());
    }
}

void recordProvenance(const std::string& resultFile, const Provenance& provenance,
                      ProvenanceMode mode) {
    if (!isRegularFile(resultFile)) return;
    const std::string path = provenancePath(resultFile);
    const std::optional<std::string> earlier =
        mode == ProvenanceMode::Append ? provenanceListHead(path) : std::nullopt;
    // Beside and renamed, as durable as the result file it describes: not
    // forced to disk, which a sweep keeping a file per point would wait for.
    FileBeside file(path);
    file.write(provenanceList(earlier.value_or("[\n"), provenance));
    file.place();
}

Provenance provenanceOf(std::string program, std::string command, Json values) {
    Provenance provenance;
    provenance.program = std::move(program);
    provenance.command = std::move(command);
    provenance.values = std::move(values);
    return provenance;
}

}  // namespace mirvok
