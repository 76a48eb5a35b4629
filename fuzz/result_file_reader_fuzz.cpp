// Result files as read_results and --continue read them, the bytes given as
// a file: every line that is not blank is a header, a record or a damaged
// line, once; the last batch a continuation finds is whole lines (its header
// and its last record) and goes on after its records unless a stray line
// follows them.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/errors.hpp"
#include "records/batch_continuation.hpp"
#include "records/result_contents.hpp"

namespace {

// A file in memory holding the bytes, named by its /proc/self/fd path so
// that the readers open it as they open any file.
std::string fileHolding(std::string_view bytes) {
    static const int fd = memfd_create("result_file", 0);
    if (fd < 0 || ftruncate(fd, 0) != 0 ||
        pwrite(fd, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size()))
        __builtin_trap();
    return "/proc/self/fd/" + std::to_string(fd);
}

bool blank(std::string_view line) {
    return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

// A line holding a NUL byte is read as that one byte: no header.
bool header(std::string_view line) {
    return line.starts_with("NEW;") && line.find('\0') == std::string_view::npos;
}

bool wholeLine(const std::string& text, std::string_view start) {
    return text.starts_with(start) && text.find('\n') == text.size() - 1;
}

void checkSections(std::string_view text, const std::string& path) {
    std::size_t lines = 0, headers = 0;
    bool headedFirst = true;
    for (std::string_view rest = text; !rest.empty();) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        if (!blank(line)) {
            if (lines++ == 0) headedFirst = header(line);
            headers += header(line) ? 1 : 0;
        }
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    const auto sections = mirvok::readResultSections(path);
    if (!sections || sections->size() != headers + (lines > 0 && !headedFirst ? 1 : 0))
        __builtin_trap();
    std::size_t read = headers;
    for (const mirvok::ResultSection& section : *sections) {
        if (section.partialRecords > section.records.size()) __builtin_trap();
        read += section.records.size() + section.damagedRecords;
    }
    if (read != lines) __builtin_trap();
}

void checkLastBatch(const std::string& path) {
    const std::optional<mirvok::LastBatch> last = mirvok::readLastBatch(path);
    if (!last || last->records < 0) __builtin_trap();
    if (last->header.empty()) {
        if (last->records != 0) __builtin_trap();
        return;
    }
    if (!wholeLine(last->header, "NEW;") || (last->records == 0) != last->lastRecord.empty() ||
        (last->records > 0 && !wholeLine(last->lastRecord, "")))
        __builtin_trap();
    try {
        if (mirvok::continuationIndex(*last, last->header, last->records, "f") != last->records ||
            last->strayLine != 0)
            __builtin_trap();
    } catch (const mirvok::InputError&) {
        if (last->strayLine == 0) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string path = fileHolding(text);
    checkSections(text, path);
    checkLastBatch(path);
    return 0;
}
