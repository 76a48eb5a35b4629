#include "ui/sweeps/sweep_slice.hpp"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "ui/window/ui_text.hpp"

namespace mirvok::ui {
namespace {

int axisCount(const SweepDescription& d) {
    return static_cast<int>(d.vary.size());
}

double axisValue(const SweepDescription& d, int axis, int index) {
    return d.vary[static_cast<std::size_t>(axis)].values[static_cast<std::size_t>(index)];
}

int valueCount(const SweepDescription& d, int axis) {
    return axis < 0 ? 1 : static_cast<int>(d.vary[static_cast<std::size_t>(axis)].values.size());
}

bool isMean(int column) {
    return column % 2 == 0;
}

// The column's value at a point, with its sd when it is a mean.
std::optional<SweepPlotPoint> plotted(const SweepTable& table, int column, int point, double x) {
    const auto& row = table.points[static_cast<std::size_t>(point)];
    if (!row) return std::nullopt;
    const auto c = static_cast<std::size_t>(column);
    return SweepPlotPoint{x, row->results[c], isMean(column) ? row->results[c + 1] : kNoValue,
                          point};
}

// Four significant digits with the window's separator: enough to read.
QString shortNumber(double value) {
    if (std::isnan(value)) return QStringLiteral("NaN");
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", value);
    return QString::fromLatin1(text).replace(QLatin1Char('.'), QLatin1Char(decimalSeparator()));
}

QString fileNumber(double value) {
    return toQt(optionValueText("", value));
}

// The points of the choice in the order shown: along x, by second value.
std::vector<int> shownPoints(const SweepDescription& d, const SweepChoice& c) {
    std::vector<int> points;
    std::vector<int> indices = c.held;
    for (int s = 0; s < valueCount(d, c.second); ++s) {
        if (c.second >= 0) indices[static_cast<std::size_t>(c.second)] = s;
        for (int i = 0; i < valueCount(d, c.x); ++i) {
            indices[static_cast<std::size_t>(c.x)] = i;
            points.push_back(pointAt(d, indices));
        }
    }
    return points;
}

}  // namespace

SweepChoice fittedChoice(const SweepDescription& d, SweepChoice c) {
    const int axes = axisCount(d);
    const int columns = static_cast<int>(sweepResultColumns().size());
    c.column = std::clamp(c.column, 0, columns - 1);
    c.x = std::clamp(c.x, 0, std::max(axes - 1, 0));
    if (c.second >= axes || c.second == c.x) c.second = -1;
    if (axes < 2) c.heatMap = false;
    if (c.heatMap && c.second < 0) c.second = c.x == 0 ? 1 : 0;
    c.held.resize(static_cast<std::size_t>(axes), 0);
    for (int a = 0; a < axes; ++a)
        c.held[static_cast<std::size_t>(a)] =
            std::clamp(c.held[static_cast<std::size_t>(a)], 0, valueCount(d, a) - 1);
    return c;
}

std::vector<int> heldAxes(const SweepChoice& choice, std::size_t axes) {
    std::vector<int> held;
    for (int a = 0; a < static_cast<int>(axes); ++a)
        if (a != choice.x && a != choice.second) held.push_back(a);
    return held;
}

std::vector<SweepLine> sweepLines(const SweepTable& table, const SweepChoice& c) {
    const SweepDescription& d = table.description;
    std::vector<SweepLine> lines;
    const std::vector<int> points = shownPoints(d, c);
    const int perLine = valueCount(d, c.x);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const int s = static_cast<int>(i) / perLine;
        if (i % static_cast<std::size_t>(perLine) == 0)
            lines.push_back({c.second < 0 ? kNoValue : axisValue(d, c.second, s), {}});
        const int along = static_cast<int>(i) % perLine;
        auto p = plotted(table, c.column, points[i], axisValue(d, c.x, along));
        if (!p) continue;
        p->afterGap = along > 0 && !table.points[static_cast<std::size_t>(points[i - 1])];
        lines.back().points.push_back(*p);
    }
    return lines;
}

SweepHeatCells sweepHeatCells(const SweepTable& table, const SweepChoice& c) {
    const SweepDescription& d = table.description;
    SweepHeatCells heat;
    heat.xs = d.vary[static_cast<std::size_t>(c.x)].values;
    heat.ys = d.vary[static_cast<std::size_t>(c.second)].values;
    bool any = false;
    for (const int point : shownPoints(d, c)) {
        SweepCell cell{point, std::nullopt};
        if (auto p = plotted(table, c.column, point, 0.0); p && !std::isnan(p->value)) {
            cell.value = p->value;
            heat.low = any ? std::min(heat.low, p->value) : p->value;
            heat.high = any ? std::max(heat.high, p->value) : p->value;
            any = true;
        }
        heat.cells.push_back(cell);
    }
    return heat;
}

QString pointValuesText(const SweepDescription& d, int point) {
    QStringList parts;
    const std::vector<int> at = pointIndices(d, point);
    for (int a = 0; a < axisCount(d); ++a)
        parts << toQt(d.vary[static_cast<std::size_t>(a)].name) + QLatin1Char(' ') +
                     floatText(axisValue(d, a, at[static_cast<std::size_t>(a)]));
    return parts.join(QStringLiteral(", "));
}

QString pointText(const SweepTable& table, int point, int column) {
    QString text =
        QStringLiteral("point %1: %2\n").arg(point).arg(pointValuesText(table.description, point));
    const auto& row = table.points[static_cast<std::size_t>(point)];
    if (!row) {
        const bool damaged = std::binary_search(table.damaged.begin(), table.damaged.end(), point);
        return text + (damaged ? QStringLiteral("its row is damaged or another sweep's")
                               : QStringLiteral("not done yet"));
    }
    const auto c = static_cast<std::size_t>(column);
    text += columnTitle(column) + QStringLiteral(": ") + shortNumber(row->results[c]);
    if (isMean(column)) text += QStringLiteral(" ± ") + shortNumber(row->results[c + 1]);
    return text + QStringLiteral("\nseed %1, %2 runs").arg(row->seed).arg(row->runs);
}

QString sweepCsv(const SweepTable& table, const SweepChoice& c) {
    const SweepDescription& d = table.description;
    const auto name = [&](int axis) { return toQt(d.vary[static_cast<std::size_t>(axis)].name); };
    const auto& columns = sweepResultColumns();
    const auto col = static_cast<std::size_t>(c.column);
    QString text = name(c.x) + (c.second >= 0 ? ',' + name(c.second) : QString()) + ',' +
                   toQt(columns[col]) +
                   (isMean(c.column) ? ',' + toQt(columns[col + 1]) : QString()) +
                   QStringLiteral(",point,seed,runs\n");
    for (const int point : shownPoints(d, c)) {
        const auto& row = table.points[static_cast<std::size_t>(point)];
        if (!row) continue;
        const std::vector<int> at = pointIndices(d, point);
        const auto value = [&](int axis) {
            return toQt(optionValueText(d.vary[static_cast<std::size_t>(axis)].name,
                                        axisValue(d, axis, at[static_cast<std::size_t>(axis)])));
        };
        text += value(c.x) + (c.second >= 0 ? ',' + value(c.second) : QString()) + ',' +
                fileNumber(row->results[col]) +
                (isMean(c.column) ? ',' + fileNumber(row->results[col + 1]) : QString()) +
                QStringLiteral(",%1,%2,%3\n").arg(point).arg(row->seed).arg(row->runs);
    }
    return text;
}

QString columnTitle(int column, bool withSd) {
    static const char* const kResults[] = {"input spikes", "input CV",   "output spikes", "q",
                                           "score",        "local score"};
    const QString stat = !isMean(column) ? QStringLiteral(" (sd)")
                         : withSd        ? QStringLiteral(" (mean ± sd)")
                                         : QStringLiteral(" (mean)");
    return QString::fromLatin1(kResults[column / 2]) + stat;
}

}  // namespace mirvok::ui
