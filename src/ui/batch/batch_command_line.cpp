#include "ui/batch/batch_command_line.hpp"

#include <QCheckBox>
#include <QLineEdit>

#include "trains/generator_settings.hpp"
#include "ui/window/form_controls.hpp"
#include "ui/window/ui_text.hpp"
#include "values/command_line.hpp"
#include "values/value_table.hpp"

namespace mirvok::ui {
namespace {

// A box's text as the command line reads it.
std::string optionText(const QLineEdit* box) {
    QString text = box->text().trimmed();
    text.replace(QLatin1Char(decimalSeparator()), QLatin1Char('.'));
    return toStd(text);
}

}  // namespace

QString batchCommandLine(const FormControls& ui, const Segments& segments,
                         std::optional<std::uint64_t> seed, const QString& outputPath) {
    BatchCommand command{.iterations = optionText(ui.ntests),
                         .seed = seed,
                         .quantify = ui.quantify->isChecked(),
                         .c01 = ui.c01->isChecked(),
                         .output = toStd(outputPath),
                         .append = !ui.FirstDel->isChecked()};
    for (const ValueRow& row : valueTable())
        command.values[row.option] = optionText(parameterBox(ui, row.control));
    if (ui.diffintervals->isChecked())
        for (std::size_t i = 0;
             i + 1 < segments.bounds.size() && i < segments.isi.size() && i < segments.shape.size();
             ++i)
            command.segments.push_back(
                segmentText(segments.bounds[i + 1], segments.isi[i], segments.shape[i]));
    return toQt(mirvok::batchCommandLine(command));
}

}  // namespace mirvok::ui
