#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace mirvok::ui {

struct FormControls;

// The word as a POSIX shell takes it back: as it is when plain, else in
// single quotes.
QString shellQuoted(const QString& text);

// The `mirvok-cli batch` command line that writes, byte for byte, the file
// "Process All!" writes with the current boxes and ticks and this seed
// (none: the command line takes one from the clock), into outputPath. Box
// texts go in as typed, with the full stop as the decimal separator, so
// that both read the same numbers; anything the shell would take apart is
// quoted. The intervals of "different intervals" are not carried over.
QString batchCommandLine(const FormControls& ui, std::optional<std::uint64_t> seed,
                         const QString& outputPath);

}  // namespace mirvok::ui
