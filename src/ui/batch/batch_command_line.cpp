#include "ui/batch/batch_command_line.hpp"

#include <QCheckBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStringList>
#include <utility>

#include "ui/window/form_controls.hpp"
#include "ui/window/ui_text.hpp"
#include "values/value_table.hpp"

namespace mirvok::ui {
namespace {

// A box's text as the command line reads it.
QString optionText(const QLineEdit* box) {
    QString text = box->text().trimmed();
    text.replace(QLatin1Char(decimalSeparator()), QLatin1Char('.'));
    return text;
}

// The word as a POSIX shell takes it back: as it is when plain, else in
// single quotes.
QString shellQuoted(const QString& text) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./:=+-]+$"));
    if (plain.match(text).hasMatch()) return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

}  // namespace

QString shellCommand(QStringList words) {
    for (QString& word : words) word = shellQuoted(word);
    return words.join(QLatin1Char(' '));
}

QString batchCommandLine(const FormControls& ui, std::optional<std::uint64_t> seed,
                         const QString& outputPath) {
    QStringList words{QStringLiteral("mirvok-cli"), QStringLiteral("batch"),
                      QStringLiteral("--iterations"), optionText(ui.ntests)};
    for (const ValueRow& row : valueTable())
        words << toQt("--" + row.option) << optionText(parameterBox(ui, row.control));
    if (seed) words << QStringLiteral("--seed") << intText(static_cast<long long>(*seed));
    if (ui.quantify->isChecked()) {
        words << QStringLiteral("--quantify");
        if (ui.c01->isChecked()) words << QStringLiteral("--c01");
    }
    words << QStringLiteral("--output") << outputPath;
    if (!ui.FirstDel->isChecked()) words << QStringLiteral("--append");
    return shellCommand(std::move(words));
}

}  // namespace mirvok::ui
