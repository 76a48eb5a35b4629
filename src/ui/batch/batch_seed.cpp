#include "ui/batch/batch_seed.hpp"

#include "random/random_source.hpp"
#include "ui/boxes/box_params.hpp"
#include "ui/window/ui_text.hpp"
#include "values/value_table.hpp"
#include "values/value_texts.hpp"

namespace mirvok::ui {

std::optional<std::uint64_t> typedSeed(const QString& text) {
    if (text.trimmed().isEmpty()) return std::nullopt;
    try {
        return seedFrom(toStd(text));
    } catch (const ValueError& e) {
        // Shown as the box's own conversion error, titled with its label.
        throw BoxError<EConvertError>(EConvertError(e.what()),
                                      toQt(settingRow(Setting::Seed).option));
    }
}

std::uint64_t batchSeed(const QString& text) {
    const std::optional<std::uint64_t> typed = typedSeed(text);
    return typed ? *typed : clockSeed();
}

}  // namespace mirvok::ui
