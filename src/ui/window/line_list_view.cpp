#include "ui/window/line_list_view.hpp"

#include <QAbstractItemModel>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace mirvok::ui {
namespace {
constexpr int kIndent = 3;  // pixels left of each line's text
}  // namespace

LineListView::LineListView(QWidget* parent) : QAbstractScrollArea(parent) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
}

void LineListView::setModel(QAbstractItemModel* model) {
    if (model_) model_->disconnect(this);
    model_ = model;
    if (model_) {
        connect(model_, &QAbstractItemModel::modelReset, this, &LineListView::modelChanged);
        connect(model_, &QAbstractItemModel::layoutChanged, this, &LineListView::modelChanged);
        connect(model_, &QAbstractItemModel::rowsInserted, this, &LineListView::modelChanged);
        connect(model_, &QAbstractItemModel::rowsRemoved, this, &LineListView::modelChanged);
        connect(model_, &QAbstractItemModel::dataChanged, viewport(),
                [this] { viewport()->update(); });
        connect(model_, &QObject::destroyed, this, [this] {
            model_ = nullptr;
            modelChanged();
        });
    }
    modelChanged();
}

int LineListView::lineHeight() const {
    return std::max(1, fontMetrics().height());
}

int LineListView::firstLineShown() const {
    return verticalScrollBar()->value();
}

void LineListView::modelChanged() {
    const int rows = model_ ? model_->rowCount() : 0;
    const int inView = std::max(1, viewport()->height() / lineHeight());
    QScrollBar* down = verticalScrollBar();
    down->setRange(0, std::max(0, rows - inView));
    down->setPageStep(inView);
    down->setSingleStep(1);
    // As wide as the last line, which names the highest number.
    const int widest = rows > 0
                           ? fontMetrics().horizontalAdvance(
                                 model_->index(rows - 1, 0).data().toString() + QLatin1Char('0')) +
                                 2 * kIndent
                           : 0;
    QScrollBar* across = horizontalScrollBar();
    across->setRange(0, std::max(0, widest - viewport()->width()));
    across->setPageStep(viewport()->width());
    viewport()->update();
}

void LineListView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    modelChanged();
}

void LineListView::paintEvent(QPaintEvent*) {
    if (!model_) return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const int height = lineHeight();
    const int rows = model_->rowCount();
    const int first = firstLineShown();
    const int x = kIndent - horizontalScrollBar()->value();
    for (int row = first, y = 0; row < rows && y < viewport()->height(); ++row, y += height)
        painter.drawText(QRect(x, y, viewport()->width() - x, height),
                         Qt::AlignLeft | Qt::AlignVCenter, model_->index(row, 0).data().toString());
}

}  // namespace mirvok::ui
