#pragma once

#include <QWidget>
#include <functional>

#include "ui/sweeps/sweep_slice.hpp"

namespace mirvok::ui {

// A summary column over two varied values: a cell per pair, coloured on a
// scale from the lowest value shown (dark blue) to the highest (yellow),
// with the scale beside it; a cell whose point is not there is hatched
// grey. Qt Charts has no heat map, so it is painted here, in the charts'
// manner. Hovering a cell shows `describe` of its point; clicking selects it.
class SweepHeatMap final : public QWidget {
    Q_OBJECT
  public:
    explicit SweepHeatMap(QWidget* parent = nullptr);

    struct Titles {
        QString chart, x, y, scale;
    };
    void showCells(const SweepHeatCells& cells, const Titles& titles);
    void select(int point);

    std::function<QString(int point)> describe;

  signals:
    void pointClicked(int point);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QRectF plotArea() const;
    QRectF cellRect(std::size_t cell) const;
    // The point of the cell under the position; -1 for none.
    int pointAt(QPointF pos) const;
    void paintLabels(QPainter& painter, const QRectF& area) const;
    void paintScale(QPainter& painter, const QRectF& area) const;

    SweepHeatCells cells_;
    Titles titles_;
    int selected_ = -1;
};

// The colour of t (0 to 1) on the scale.
QColor scaleColour(double t);

}  // namespace mirvok::ui
