#pragma once

class QValueAxis;

namespace mirvok::ui {

// What a chart's axis shows: low to high, to be rounded out to nice ticks,
// or exact (shown as it is, with ticks at nice multiples inside it).
struct AxisRange {
    double low = 0.0;
    double high = 1.0;
    bool exact = false;
};

// Sets the axis to the range with about five ticks at round values (1, 2 or
// 5 times a power of ten) and labels with just the decimals the ticks need.
// The axis moves only when its range or ticks change, because every move
// lays out again every point of its chart.
void fitAxis(QValueAxis& axis, const AxisRange& range);

}  // namespace mirvok::ui
