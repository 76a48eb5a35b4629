#pragma once

#include <QString>

class QWidget;

namespace mirvok::ui {

// Writes a picture of the widget to path as every file Mirvok writes is
// (replaceFileContent: locked, beside and renamed into place): SVG when the
// name ends in .svg (titled `title`), PNG otherwise. Throws FileError (or
// FileBusy) when it could not be written; nothing is shown.
void saveWidgetImage(QWidget& widget, const QString& path, const QString& title);

}  // namespace mirvok::ui
