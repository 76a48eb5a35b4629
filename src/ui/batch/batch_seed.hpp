#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace mirvok::ui {

// The seed typed into "seed:": none for an empty box (a batch then takes
// clockSeed()), else a whole number from 0 to 2147483647 as the command
// line takes it. Any other text throws an EConvertError titled "seed".
std::optional<std::uint64_t> typedSeed(const QString& text);

// The seed a batch uses: the typed one, or one from the clock.
std::uint64_t batchSeed(const QString& text);

}  // namespace mirvok::ui
