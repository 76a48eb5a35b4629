#include "ui/sweeps/point_command.hpp"

#include <QStringList>
#include <cmath>
#include <utility>

#include "sweep/sweep_seeds.hpp"
#include "sweep/sweep_table.hpp"
#include "text/shortest_number.hpp"
#include "ui/batch/batch_command_line.hpp"
#include "ui/window/ui_text.hpp"
#include "values/value_table.hpp"

namespace mirvok::ui {
namespace {

// A shared value as sweep.json holds it, as the option reads it.
QString sharedText(const std::string& option, const Json& value) {
    if (value.is_number_integer()) return QString::number(value.get<long long>());
    return toQt(optionValueText(option, value.get<double>()));
}

// "END:ISI:CV" of each segment; the sweep keeps the shape, 1/cv^2.
void addSegments(QStringList& words, const Json& segments) {
    for (const Json& s : segments) {
        const double cv = 1.0 / std::sqrt(s["shape"].get<double>());
        words << QStringLiteral("--segment")
              << QString::number(s["end"].get<long long>()) + ':' +
                     toQt(shortestNumber(s["isi"].get<double>())) + ':' + toQt(shortestNumber(cv));
    }
}

}  // namespace

QString pointCommandLine(const SweepDescription& d, int point, const QString& outputPath) {
    QStringList words{QStringLiteral("mirvok-cli"), QStringLiteral("batch"),
                      QStringLiteral("--iterations"), QString::number(d.iterations)};
    const std::vector<int> at = pointIndices(d, point);
    for (const ValueRow& row : valueTable()) {
        QString text;
        for (std::size_t a = 0; a < d.vary.size(); ++a)
            if (d.vary[a].name == row.option)
                text = toQt(
                    optionValueText(row.option, d.vary[a].values[static_cast<std::size_t>(at[a])]));
        if (text.isEmpty() && d.values.contains(row.option) && d.values[row.option].is_number())
            text = sharedText(row.option, d.values[row.option]);
        if (!text.isEmpty()) words << toQt("--" + row.option) << text;
    }
    if (d.values.contains("segments") && d.values["segments"].is_array())
        addSegments(words, d.values["segments"]);
    words << QStringLiteral("--seed") << QString::number(pointSeed(d.seed, point));
    if (d.values.value("quantify", false)) words << QStringLiteral("--quantify");
    if (d.values.value("c01", false)) words << QStringLiteral("--c01");
    words << QStringLiteral("--output") << outputPath;
    return shellCommand(std::move(words));
}

}  // namespace mirvok::ui
