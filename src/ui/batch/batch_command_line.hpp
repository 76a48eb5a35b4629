#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace mirvok {
struct Segments;
}

namespace mirvok::ui {

struct FormControls;

// The `mirvok-cli batch` command line that writes, byte for byte, the file
// "Process All!" writes with the current boxes and ticks and this seed
// (none: the command line takes one from the clock), into outputPath. Box
// texts go in as typed, with the full stop as the decimal separator, so
// that both read the same numbers. With "different intervals" ticked the
// intervals defined (segments) go in as its segments.
QString batchCommandLine(const FormControls& ui, const Segments& segments,
                         std::optional<std::uint64_t> seed, const QString& outputPath);

}  // namespace mirvok::ui
