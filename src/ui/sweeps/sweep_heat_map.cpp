#include "ui/sweeps/sweep_heat_map.hpp"

#include <QLinearGradient>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace mirvok::ui {
namespace {

// Margins about the cells: titles and labels left and below, the scale right.
constexpr double kLeft = 86, kTop = 40, kRight = 130, kBottom = 58;
constexpr double kScaleWidth = 18;
const QColor kMissing(0xe4e4e4);
const QColor kHatch(0xa0a0a0);

QString label(double value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 4);
}

// Values at round steps (1, 2 or 5 times a power of ten) from low to high,
// about five of them; the one value when they are equal.
std::vector<double> scaleTicks(double low, double high) {
    if (!(high > low)) return {low};
    const double rough = (high - low) / 4.0;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    const double step = power * (rough / power < 1.5 ? 1.0 : rough / power < 3.5 ? 2.0 : 5.0);
    std::vector<double> ticks;
    for (double t = std::ceil(low / step) * step; t <= high + step * 1e-9; t += step)
        ticks.push_back(std::abs(t) < step * 1e-9 ? 0.0 : t);
    return ticks;
}

QBrush missingBrush() {
    return QBrush(kHatch, Qt::BDiagPattern);
}

}  // namespace

QColor scaleColour(double t) {
    // A perceptually even scale from dark blue over green to yellow, which
    // stays readable in grey and to most colour-blind eyes.
    static constexpr std::array<std::array<int, 3>, 9> kStops{{{68, 1, 84},
                                                               {71, 44, 122},
                                                               {59, 81, 139},
                                                               {44, 113, 142},
                                                               {33, 144, 141},
                                                               {39, 173, 129},
                                                               {92, 200, 99},
                                                               {170, 220, 50},
                                                               {253, 231, 37}}};
    const double at = std::clamp(std::isnan(t) ? 0.5 : t, 0.0, 1.0) * (kStops.size() - 1);
    const auto i = std::min(static_cast<std::size_t>(at), kStops.size() - 2);
    const double f = at - static_cast<double>(i);
    const auto mix = [&](int c) {
        return static_cast<int>(std::lround(kStops[i][c] + f * (kStops[i + 1][c] - kStops[i][c])));
    };
    return {mix(0), mix(1), mix(2)};
}

SweepHeatMap::SweepHeatMap(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setMinimumSize(480, 320);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
}

void SweepHeatMap::showCells(const SweepHeatCells& cells, const Titles& titles) {
    cells_ = cells;
    titles_ = titles;
    update();
}

void SweepHeatMap::select(int point) {
    selected_ = point;
    update();
}

QRectF SweepHeatMap::plotArea() const {
    return QRectF(kLeft, kTop, std::max(1.0, width() - kLeft - kRight),
                  std::max(1.0, height() - kTop - kBottom));
}

QRectF SweepHeatMap::cellRect(std::size_t cell) const {
    const QRectF area = plotArea();
    const std::size_t columns = std::max<std::size_t>(cells_.xs.size(), 1);
    const std::size_t rows = std::max<std::size_t>(cells_.ys.size(), 1);
    const double w = area.width() / static_cast<double>(columns);
    const double h = area.height() / static_cast<double>(rows);
    const std::size_t column = cell % columns, row = cell / columns;
    // The first y value at the bottom, as on an axis.
    return QRectF(area.left() + w * static_cast<double>(column),
                  area.bottom() - h * static_cast<double>(row + 1), w, h);
}

int SweepHeatMap::pointAt(QPointF pos) const {
    const QRectF area = plotArea();
    if (!area.contains(pos)) return -1;
    const std::size_t columns = std::max<std::size_t>(cells_.xs.size(), 1);
    const std::size_t rows = std::max<std::size_t>(cells_.ys.size(), 1);
    // Each cell holds its edges: a position on the line between two takes
    // the first, and the plot's own edges belong to the cells beside them.
    const auto index = [](double at, double size, std::size_t count) {
        const double i = std::ceil(at / size) - 1.0;
        return std::min(static_cast<std::size_t>(std::max(i, 0.0)), count - 1);
    };
    const std::size_t column =
        index(pos.x() - area.left(), area.width() / static_cast<double>(columns), columns);
    const std::size_t row =
        index(area.bottom() - pos.y(), area.height() / static_cast<double>(rows), rows);
    const std::size_t cell = row * columns + column;
    return cell < cells_.cells.size() ? cells_.cells[cell].point : -1;
}

void SweepHeatMap::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawText(QRectF(0, 6, width(), kTop - 10), Qt::AlignCenter, titles_.chart);
    // Cells edge to edge: smoothing their edges would show seams between them.
    const double span = cells_.high - cells_.low;
    std::optional<QRectF> chosen;
    for (std::size_t c = 0; c < cells_.cells.size(); ++c) {
        const SweepCell& cell = cells_.cells[c];
        const QRectF r = cellRect(c);
        if (cell.value) {
            painter.fillRect(r, scaleColour(span > 0 ? (*cell.value - cells_.low) / span : 0.5));
        } else {
            painter.fillRect(r, kMissing);
            painter.fillRect(r, missingBrush());
        }
        if (cell.point == selected_) chosen = r;
    }
    // Framed once every cell is filled, so that no neighbour paints over it.
    if (chosen) {
        painter.setPen(QPen(Qt::black, 2));
        painter.drawRect(chosen->adjusted(1, 1, -1, -1));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = plotArea();
    painter.setPen(QPen(QColor(0x404040), 1));
    painter.drawRect(area);
    paintLabels(painter, area);
    paintScale(painter, area);
}

void SweepHeatMap::paintLabels(QPainter& painter, const QRectF& area) const {
    const QFontMetricsF metrics(font());
    const double w = area.width() / static_cast<double>(std::max<std::size_t>(cells_.xs.size(), 1));
    const double h =
        area.height() / static_cast<double>(std::max<std::size_t>(cells_.ys.size(), 1));
    // Every value's label where there is room, else every n-th.
    double widest = 0;
    for (double x : cells_.xs) widest = std::max(widest, metrics.horizontalAdvance(label(x)) + 6);
    const auto xEvery = static_cast<std::size_t>(std::ceil(widest / std::max(w, 1.0)));
    for (std::size_t i = 0; i < cells_.xs.size(); i += std::max<std::size_t>(xEvery, 1))
        painter.drawText(QRectF(area.left() + w * static_cast<double>(i), area.bottom() + 4, w, 18),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, label(cells_.xs[i]));
    const auto yEvery =
        static_cast<std::size_t>(std::ceil((metrics.height() + 2) / std::max(h, 1.0)));
    for (std::size_t i = 0; i < cells_.ys.size(); i += std::max<std::size_t>(yEvery, 1))
        painter.drawText(
            QRectF(0, area.bottom() - h * static_cast<double>(i + 1), area.left() - 6, h),
            Qt::AlignRight | Qt::AlignVCenter, label(cells_.ys[i]));
    painter.drawText(QRectF(area.left(), area.bottom() + 24, area.width(), 24), Qt::AlignCenter,
                     titles_.x);
    painter.save();
    painter.translate(14, area.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-area.height() / 2, -10, area.height(), 20), Qt::AlignCenter,
                     titles_.y);
    painter.restore();
}

void SweepHeatMap::paintScale(QPainter& painter, const QRectF& area) const {
    const QRectF bar(area.right() + 20, area.top(), kScaleWidth, area.height() - 40);
    QLinearGradient gradient(bar.bottomLeft(), bar.topLeft());
    for (int i = 0; i <= 8; ++i) gradient.setColorAt(i / 8.0, scaleColour(i / 8.0));
    painter.fillRect(bar, gradient);
    painter.drawRect(bar);
    const double span = cells_.high - cells_.low;
    for (const double value : scaleTicks(cells_.low, cells_.high)) {
        const double y =
            bar.bottom() - (span > 0 ? (value - cells_.low) / span : 0.5) * bar.height();
        painter.drawLine(QPointF(bar.right(), y), QPointF(bar.right() + 4, y));
        painter.drawText(QRectF(bar.right() + 6, y - 9, kRight - kScaleWidth - 26, 18),
                         Qt::AlignLeft | Qt::AlignVCenter, label(value));
    }
    const QRectF missing(bar.left(), bar.bottom() + 14, kScaleWidth, 14);
    painter.fillRect(missing, kMissing);
    painter.fillRect(missing, missingBrush());
    painter.drawRect(missing);
    painter.drawText(QRectF(missing.right() + 6, missing.top() - 2, 90, 18),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("not there"));
    painter.save();
    painter.translate(width() - 10, bar.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-bar.height() / 2, -10, bar.height(), 20), Qt::AlignCenter,
                     titles_.scale);
    painter.restore();
}

void SweepHeatMap::mouseMoveEvent(QMouseEvent* event) {
    const int point = pointAt(event->position());
    if (point >= 0 && describe)
        QToolTip::showText(event->globalPosition().toPoint(), describe(point), this);
    else
        QToolTip::hideText();
}

void SweepHeatMap::mousePressEvent(QMouseEvent* event) {
    const int point = pointAt(event->position());
    if (point >= 0) emit pointClicked(point);
}

}  // namespace mirvok::ui
