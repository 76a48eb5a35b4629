#include "ui/results/widget_image.hpp"

#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QWidget>

namespace mirvok::ui {

bool saveWidgetImage(QWidget& widget, const QString& path, const QString& title) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    bool written = false;
    if (QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(widget.size());
        svg.setViewBox(widget.rect());
        svg.setTitle(title);
        QPainter painter(&svg);
        widget.render(&painter);
        written = painter.end();
    } else {
        written = widget.grab().save(&file, "PNG");
    }
    return written && file.commit();
}

}  // namespace mirvok::ui
