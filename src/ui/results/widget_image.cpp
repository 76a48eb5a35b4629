#include "ui/results/widget_image.hpp"

#include <QBuffer>
#include <QFileInfo>
#include <QPainter>
#include <QSvgGenerator>
#include <QWidget>
#include <string_view>

#include "base/errors.hpp"
#include "system/file_replace.hpp"
#include "ui/window/ui_text.hpp"

namespace mirvok::ui {

void saveWidgetImage(QWidget& widget, const QString& path, const QString& title) {
    // Drawn in memory first: an image is small, and the file is then
    // written, locked, as any other.
    QBuffer image;
    image.open(QIODevice::WriteOnly);
    bool drawn = false;
    if (QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0) {
        QSvgGenerator svg;
        svg.setOutputDevice(&image);
        svg.setSize(widget.size());
        svg.setViewBox(widget.rect());
        svg.setTitle(title);
        QPainter painter(&svg);
        widget.render(&painter);
        drawn = painter.end();
    } else {
        drawn = widget.grab().save(&image, "PNG");
    }
    if (!drawn) throw FileError::couldNotWrite(toStd(path));
    const QByteArray& bytes = image.data();
    replaceFileContent(toStd(path),
                       std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace mirvok::ui
