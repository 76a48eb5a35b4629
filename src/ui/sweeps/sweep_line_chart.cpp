#include "ui/sweeps/sweep_line_chart.hpp"

#include <QLocale>
#include <QMouseEvent>
#include <QToolTip>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "ui/results/nice_axis.hpp"
#include "ui/window/ui_text.hpp"

namespace mirvok::ui {
namespace {

constexpr double kNear = 10.0;  // pixels from a point that still hover it
constexpr double kCap = 4.0;    // half the width of an error bar's caps

// Low to high and a little beyond, rounded to round ticks as the results
// charts are; the summary's columns cannot be below 0 and start there (an
// error bar reaching below 0 is cut at the axis rather than moving it).
void fit(QValueAxis& axis, double low, double high, bool fromZero) {
    if (!(low <= high)) low = high = 0.0;
    const double pad = high > low ? (high - low) * 0.05 : std::max(std::abs(high) * 0.05, 0.01);
    if (fromZero) {
        fitAxis(axis, {0.0, std::max(high + pad, 0.01), false});
    } else {
        fitAxis(axis, {low - pad, high + pad, false});
    }
}

}  // namespace

SweepLineChart::SweepLineChart(QWidget* parent) : QChartView(new QChart, parent) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    chart()->setLocale(locale);
    chart()->setLocalizeNumbers(true);
    chart()->legend()->setAlignment(Qt::AlignRight);
    x_ = new QValueAxis(chart());
    y_ = new QValueAxis(chart());
    chart()->addAxis(x_, Qt::AlignBottom);
    chart()->addAxis(y_, Qt::AlignLeft);
    setRenderHint(QPainter::Antialiasing);
    // The mouse moves over the viewport, not the view: hovering needs it there.
    viewport()->setMouseTracking(true);
    setMinimumSize(480, 320);
}

QColor SweepLineChart::colourOf(std::size_t line) {
    static const QColor kColours[] = {0x1f77b4, 0xd62728, 0x2ca02c, 0xff7f0e, 0x9467bd,
                                      0x8c564b, 0xe377c2, 0x7f7f7f, 0xbcbd22, 0x17becf};
    return kColours[line % std::size(kColours)];
}

void SweepLineChart::addPiece(const QList<QPointF>& points, std::size_t line, const QString& name) {
    auto* series = new QLineSeries;
    series->setPointsVisible(true);
    series->setMarkerSize(3);
    series->setPen(QPen(colourOf(line), 2));
    series->replace(points);
    chart()->addSeries(series);
    series->attachAxis(x_);
    series->attachAxis(y_);
    series_.push_back(series);
    if (lineSeries_.size() == line) {
        series->setName(name);
        lineSeries_.push_back(series);
    } else {
        // A later piece of a line: in the legend once, as its first.
        for (QLegendMarker* marker : chart()->legend()->markers(series)) marker->setVisible(false);
    }
}

void SweepLineChart::showLines(const std::vector<SweepLine>& lines, const Titles& titles) {
    for (QLineSeries* s : series_) {
        chart()->removeSeries(s);
        delete s;
    }
    series_.clear();
    lineSeries_.clear();
    lines_ = lines;
    double x0 = HUGE_VAL, x1 = -HUGE_VAL, y0 = HUGE_VAL, y1 = -HUGE_VAL;
    for (std::size_t l = 0; l < lines_.size(); ++l) {
        const QString name =
            titles.second.isEmpty() ? titles.y : titles.second + ' ' + floatText(lines_[l].second);
        // A point not there breaks its line rather than being bridged.
        QList<QPointF> piece;
        for (const SweepPlotPoint& p : lines_[l].points) {
            if (p.afterGap && !piece.empty()) {
                addPiece(piece, l, name);
                piece.clear();
            }
            piece.append({p.x, p.value});
            const double sd = std::isnan(p.sd) ? 0.0 : p.sd;
            x0 = std::min(x0, p.x);
            x1 = std::max(x1, p.x);
            y0 = std::min(y0, p.value - sd);
            y1 = std::max(y1, p.value + sd);
        }
        addPiece(piece, l, name);
    }
    chart()->setTitle(titles.chart);
    chart()->legend()->setVisible(lines_.size() > 1);
    x_->setTitleText(titles.x);
    y_->setTitleText(titles.y);
    fit(*x_, x0, x1, false);
    fit(*y_, y0, y1, true);
    scene()->update();
}

void SweepLineChart::select(int point) {
    selected_ = point;
    scene()->update();
}

QPointF SweepLineChart::scenePos(QPointF value, std::size_t line) const {
    return chart()->mapToScene(chart()->mapToPosition(value, lineSeries_[line]));
}

void SweepLineChart::drawForeground(QPainter* painter, const QRectF& rect) {
    QChartView::drawForeground(painter, rect);
    painter->save();
    painter->setClipRect(chart()->mapRectToScene(chart()->plotArea()));
    for (std::size_t l = 0; l < lines_.size(); ++l) {
        painter->setPen(QPen(colourOf(l), 1.2));
        for (const SweepPlotPoint& p : lines_[l].points) {
            if (std::isnan(p.sd) || p.sd <= 0.0) continue;
            const QPointF low = scenePos({p.x, p.value - p.sd}, l);
            const QPointF high = scenePos({p.x, p.value + p.sd}, l);
            painter->drawLine(low, high);
            painter->drawLine(low - QPointF(kCap, 0), low + QPointF(kCap, 0));
            painter->drawLine(high - QPointF(kCap, 0), high + QPointF(kCap, 0));
        }
    }
    painter->setPen(QPen(Qt::black, 2));
    painter->setBrush(Qt::NoBrush);
    for (std::size_t l = 0; l < lines_.size(); ++l)
        for (const SweepPlotPoint& p : lines_[l].points)
            if (p.point == selected_) painter->drawEllipse(scenePos({p.x, p.value}, l), 7, 7);
    painter->restore();
}

int SweepLineChart::pointNear(QPoint viewPos) const {
    const QPointF at = mapToScene(viewPos);
    int nearest = -1;
    double best = kNear;
    for (std::size_t l = 0; l < lines_.size(); ++l)
        for (const SweepPlotPoint& p : lines_[l].points) {
            const QPointF d = scenePos({p.x, p.value}, l) - at;
            const double distance = std::hypot(d.x(), d.y());
            if (distance < best) {
                best = distance;
                nearest = p.point;
            }
        }
    return nearest;
}

void SweepLineChart::mouseMoveEvent(QMouseEvent* event) {
    QChartView::mouseMoveEvent(event);
    const int point = pointNear(event->pos());
    if (point >= 0 && describe)
        QToolTip::showText(event->globalPosition().toPoint(), describe(point), this);
    else
        QToolTip::hideText();
}

void SweepLineChart::mousePressEvent(QMouseEvent* event) {
    QChartView::mousePressEvent(event);
    const int point = pointNear(event->pos());
    if (point >= 0) emit pointClicked(point);
}

}  // namespace mirvok::ui
