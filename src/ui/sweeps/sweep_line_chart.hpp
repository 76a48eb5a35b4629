#pragma once

#include <QtCharts/QChartView>
#include <functional>
#include <vector>

#include "ui/sweeps/sweep_slice.hpp"

class QLineSeries;
class QValueAxis;

namespace mirvok::ui {

// A summary column against one varied value: a line per value of a second,
// each point with its sd as an error bar (Qt Charts has no error bars: they
// are painted over the chart at the points' places). Hovering a point shows
// `describe` of it; clicking one selects it.
class SweepLineChart final : public QChartView {
    Q_OBJECT
  public:
    explicit SweepLineChart(QWidget* parent = nullptr);

    struct Titles {
        QString chart, x, y;
        QString second;  // the varied value that names each line; empty for one line
    };
    void showLines(const std::vector<SweepLine>& lines, const Titles& titles);
    // A ring around the point; -1 for none.
    void select(int point);

    std::function<QString(int point)> describe;

  signals:
    void pointClicked(int point);

  protected:
    void drawForeground(QPainter* painter, const QRectF& rect) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    static QColor colourOf(std::size_t line);
    // Points of a line between gaps as a series of its own.
    void addPiece(const QList<QPointF>& points, std::size_t line, const QString& name);
    QPointF scenePos(QPointF value, std::size_t line) const;
    // The point drawn within a few pixels of the view position; -1 for none.
    int pointNear(QPoint viewPos) const;

    std::vector<SweepLine> lines_;
    std::vector<QLineSeries*> series_;      // every piece
    std::vector<QLineSeries*> lineSeries_;  // the first piece of each line
    QValueAxis* x_ = nullptr;
    QValueAxis* y_ = nullptr;
    int selected_ = -1;
};

}  // namespace mirvok::ui
