#include "ui/file_name_dialog.hpp"

#include <QFileInfo>

#include "ui/dialogs.hpp"

namespace mirvok::ui {

FileNameDialog::FileNameDialog(Mode mode, QString defaultExtension)
    : mode_(mode), defaultExtension_(std::move(defaultExtension)) {}

bool FileNameDialog::execute(Dialogs& dialogs, QWidget* parent) {
    QString chosen = mode_ == Mode::Open ? dialogs.askOpenFileName(parent, fileName_)
                                         : dialogs.askSaveFileName(parent, fileName_);
    if (chosen.isEmpty()) return false;
    if (mode_ == Mode::Save) chosen = withDefaultExtension(chosen, defaultExtension_);
    fileName_ = QFileInfo(chosen).absoluteFilePath();
    return true;
}

QString withDefaultExtension(const QString& name, const QString& extension) {
    if (extension.isEmpty()) return name;
    const QString last = QFileInfo(name).fileName();
    if (last.isEmpty() || last.contains(QLatin1Char('.'))) return name;
    return name + QLatin1Char('.') + extension;
}

}  // namespace mirvok::ui
