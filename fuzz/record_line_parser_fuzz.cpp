// Result-file record lines: any bytes give an output list or none, and a
// line without a semicolon never has one.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "batch/record_line_parser.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const auto list = mirvok::parseRecordOutputList(line);
    if (list && line.find(';') == std::string_view::npos) __builtin_trap();
    return 0;
}
