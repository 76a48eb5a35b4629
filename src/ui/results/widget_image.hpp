#pragma once

#include <QString>

class QWidget;

namespace mirvok::ui {

// Writes a picture of the widget to path, beside it and then renamed into
// place: SVG when the name ends in .svg (titled `title`), PNG otherwise.
// False when it could not be written; nothing is shown.
bool saveWidgetImage(QWidget& widget, const QString& path, const QString& title);

}  // namespace mirvok::ui
