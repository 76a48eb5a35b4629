#include "batch/results/provenance.hpp"

#include <sys/stat.h>

#include <ctime>

#include "base/errors.hpp"
#include "system/file_chunks.hpp"
#include "system/file_replace.hpp"
#include "version/version.hpp"

namespace mirvok {
namespace {

constexpr std::string_view kListStart = "[\n";
constexpr std::string_view kListEnd = "\n]\n";

std::string utcText(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

bool isRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The list already there, without its closing bracket, when it is one.
std::optional<std::string> openList(const std::string& path) {
    std::optional<std::string> text;
    try {
        text = readWholeFile(path);
    } catch (const FileError&) {
        return std::nullopt;
    }
    if (!text || !text->starts_with(kListStart) || !text->ends_with("}" + std::string(kListEnd)))
        return std::nullopt;
    text->resize(text->size() - kListEnd.size());
    return text;
}

}  // namespace

std::string provenanceEntry(const Provenance& p) {
    JsonObjectWriter json;
    json.member("program", p.program);
    json.member("version", std::string_view(kVersion));
    json.member("command", p.command);
    json.member("started", utcText(p.started));
    json.member("ended", utcText(p.ended));
    json.raw("values", p.values.empty() ? "{}" : p.values);
    if (p.seed) json.member("seed", static_cast<long long>(*p.seed));
    if (p.source) json.member("source", *p.source);
    json.member("iterations", p.iterations);
    json.member("runs", p.runs);
    json.merge(p.more);
    return json.object();
}

std::string provenancePath(const std::string& resultFile) {
    return resultFile + ".json";
}

void recordProvenance(const std::string& resultFile, const Provenance& provenance,
                      ProvenanceMode mode) {
    if (!isRegularFile(resultFile)) return;
    const std::string path = provenancePath(resultFile);
    const std::optional<std::string> earlier =
        mode == ProvenanceMode::Append ? openList(path) : std::nullopt;
    const std::string entry = provenanceEntry(provenance);
    // Beside and renamed, as durable as the result file it describes: not
    // forced to disk, which a sweep keeping a file per point would wait for.
    FileBeside file(path);
    file.write(earlier ? *earlier + ",\n" + entry + std::string(kListEnd)
                       : std::string(kListStart) + entry + std::string(kListEnd));
    file.place();
}

Provenance provenanceOf(std::string program, std::string command, std::string values) {
    Provenance provenance;
    provenance.program = std::move(program);
    provenance.command = std::move(command);
    provenance.values = std::move(values);
    return provenance;
}

}  // namespace mirvok
