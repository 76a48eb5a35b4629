#include "ui/dialogs/file_name_dialog.hpp"

#include <QFileInfo>

#include "ui/dialogs/dialogs.hpp"

namespace mirvok::ui {

FileNameDialog::FileNameDialog(Mode mode, QString defaultExtension, QString fileName)
    : mode_(mode), defaultExtension_(std::move(defaultExtension)), fileName_(std::move(fileName)) {}

bool FileNameDialog::execute(Dialogs& dialogs, QWidget* parent, Existing existing) {
    QString start = fileName_;
    for (;;) {
        QString chosen = mode_ == Mode::Open ? dialogs.askOpenFileName(parent, start)
                                             : dialogs.askSaveFileName(parent, start);
        if (chosen.isEmpty()) return false;
        if (mode_ == Mode::Save) chosen = withDefaultExtension(chosen, defaultExtension_);
        const QString path = QFileInfo(chosen).absoluteFilePath();
        if (existing == Existing::AskBeforeReplacing && QFileInfo::exists(path) &&
            !dialogs.askYesNo(parent, QStringLiteral("%1 already exists. Replace it?").arg(path))) {
            start = path;
            continue;
        }
        fileName_ = path;
        return true;
    }
}

QString withDefaultExtension(const QString& name, const QString& extension) {
    if (extension.isEmpty()) return name;
    const QString last = QFileInfo(name).fileName();
    if (last.isEmpty() || last.contains(QLatin1Char('.'))) return name;
    return name + QLatin1Char('.') + extension;
}

}  // namespace mirvok::ui
