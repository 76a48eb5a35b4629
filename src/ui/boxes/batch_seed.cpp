#include "ui/boxes/batch_seed.hpp"

#include "trains/random/random_source.hpp"
#include "ui/boxes/box_params.hpp"
#include "ui/ui_text.hpp"

namespace mirvok::ui {

std::optional<std::uint64_t> typedSeed(const QString& text) {
    if (text.trimmed().isEmpty()) return std::nullopt;
    const QString title = QStringLiteral("seed");
    int seed = 0;
    try {
        seed = readInt(text);
    } catch (const Error&) {
        std::rethrow_exception(titledBoxError(title));
    }
    if (seed < 0)
        throw BoxError<EConvertError>(EConvertError("'" + toStd(text) + "' is not a valid seed"),
                                      title);
    return static_cast<std::uint64_t>(seed);
}

std::uint64_t batchSeed(const QString& text) {
    const std::optional<std::uint64_t> typed = typedSeed(text);
    return typed ? *typed : clockSeed();
}

}  // namespace mirvok::ui
