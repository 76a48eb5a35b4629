#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace mirvok::ui {

struct FormControls;

// The words as one line a POSIX shell takes apart into them again: each
// as it is when plain, else in single quotes.
QString shellCommand(QStringList words);

// The `mirvok-cli batch` command line that writes, byte for byte, the file
// "Process All!" writes with the current boxes and ticks and this seed
// (none: the command line takes one from the clock), into outputPath. Box
// texts go in as typed, with the full stop as the decimal separator, so
// that both read the same numbers; anything the shell would take apart is
// quoted. The intervals of "different intervals" are not carried over.
QString batchCommandLine(const FormControls& ui, std::optional<std::uint64_t> seed,
                         const QString& outputPath);

}  // namespace mirvok::ui
