#include "ui/boxes/batch_command_line.hpp"

#include <QCheckBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStringList>
#include <utility>

#include "ui/form_controls.hpp"
#include "ui/ui_text.hpp"

namespace mirvok::ui {
namespace {

QString shellQuoted(const QString& text) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./:=+-]+$"));
    if (plain.match(text).hasMatch()) return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// A box's text as the command line reads it.
QString optionText(const QLineEdit* box) {
    QString text = box->text().trimmed();
    text.replace(QLatin1Char(decimalSeparator()), QLatin1Char('.'));
    return text;
}

}  // namespace

QString batchCommandLine(const FormControls& ui, std::optional<std::uint64_t> seed,
                         const QString& outputPath) {
    const std::pair<const char*, const QLineEdit*> boxes[] = {
        {"--iterations", ui.ntests}, {"--time", ui.TimeEdit},
        {"--v1-start", ui.V1_start}, {"--gamma1", ui.gamma1},
        {"--delta1", ui.delta1},     {"--v2-start", ui.V2_start},
        {"--gamma2", ui.gamma2},     {"--delta2", ui.delta2},
        {"--epsilon", ui.MaxDiff},   {"--boundary-tol", ui.ZeroDiff},
        {"--ign", ui.ign},           {"--range", ui.Range},
        {"--c0", ui.C0Edit},         {"--isi", ui.isi},
        {"--isi-jitter", ui.isiInt}, {"--cv", ui.CVedit}};
    QStringList words{QStringLiteral("mirvok-cli"), QStringLiteral("batch")};
    for (const auto& [option, box] : boxes) words << QString::fromUtf8(option) << optionText(box);
    if (seed) words << QStringLiteral("--seed") << intText(static_cast<long long>(*seed));
    if (ui.quantify->isChecked()) {
        words << QStringLiteral("--quantify");
        if (ui.c01->isChecked()) words << QStringLiteral("--c01");
    }
    words << QStringLiteral("--output") << outputPath;
    if (!ui.FirstDel->isChecked()) words << QStringLiteral("--append");
    for (QString& word : words) word = shellQuoted(word);
    return words.join(QLatin1Char(' '));
}

}  // namespace mirvok::ui
