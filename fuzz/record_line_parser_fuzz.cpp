// Result-file record lines: any bytes give a record, another line or a
// damaged one; a record always has its output list closed by a quote.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "records/record_line_parser.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const mirvok::RecordLine parsed = mirvok::parseRecordLine(line);
    const std::size_t start = line.find("\";\"");
    const bool closed = start != std::string_view::npos && line.find('"', start + 3) != line.npos;
    if (parsed.kind == mirvok::RecordLine::Kind::Record && !closed) __builtin_trap();
    if (parsed.kind != mirvok::RecordLine::Kind::Record && !parsed.outputList.empty())
        __builtin_trap();
    return 0;
}
