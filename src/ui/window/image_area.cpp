#include "ui/window/image_area.hpp"

#include <QPainter>

namespace mirvok::ui {

ImageArea::ImageArea(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QPixmap& ImageArea::canvas() {
    if (pixmap_.size() != size()) {
        pixmap_ = QPixmap(size());
        pixmap_.fill(Qt::white);
    }
    return pixmap_;
}

void ImageArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (pixmap_.size() != size()) painter.fillRect(rect(), Qt::white);
    painter.drawPixmap(0, 0, pixmap_);
}

}  // namespace mirvok::ui
