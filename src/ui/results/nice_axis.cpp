#include "ui/results/nice_axis.hpp"

#include <QString>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>

namespace mirvok::ui {
namespace {

constexpr int kTicks = 5;

// The range as QValueAxis::applyNiceNumbers rounds it, worked out on an axis
// of no chart, and the distance of its ticks.
struct NiceRange {
    double min = 0.0, max = 0.0, tick = 0.0;
    int ticks = 0;
};
NiceRange niceRange(double low, double high, int ticks) {
    QValueAxis nice;
    nice.setTickCount(ticks);
    nice.setRange(low, high);
    nice.applyNiceNumbers();
    const int count = std::max(nice.tickCount(), 2);
    return {nice.min(), nice.max(), (nice.max() - nice.min()) / (count - 1), count};
}

// Just the decimals the ticks need: 0, 5, 10 rather than 0.0, 5.0, 10.0.
QString labelFormat(double tick) {
    int decimals = 0;
    while (decimals < 6 && std::abs(tick - std::round(tick)) > 1e-9 * std::max(1.0, tick)) {
        tick *= 10.0;
        ++decimals;
    }
    return QStringLiteral("%.%1f").arg(decimals);
}

}  // namespace

void fitAxis(QValueAxis& axis, const AxisRange& range) {
    const NiceRange nice = niceRange(range.low, range.high, kTicks);
    const double low = range.exact ? range.low : nice.min;
    const double high = range.exact ? range.high : nice.max;
    if (range.exact) {
        if (axis.tickType() != QValueAxis::TicksDynamic) axis.setTickType(QValueAxis::TicksDynamic);
        if (axis.tickInterval() != nice.tick) axis.setTickInterval(nice.tick);
    } else if (axis.tickCount() != nice.ticks) {
        axis.setTickCount(nice.ticks);
    }
    if (low != axis.min() || high != axis.max()) axis.setRange(low, high);
    const QString format = labelFormat(nice.tick);
    if (axis.labelFormat() != format) axis.setLabelFormat(format);
}

}  // namespace mirvok::ui
