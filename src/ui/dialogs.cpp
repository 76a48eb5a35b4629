#include "ui/dialogs.hpp"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace mirvok::ui {

QString QtDialogs::askOpenFileName(QWidget* parent, const QString& current) {
    return QFileDialog::getOpenFileName(parent, QString(), current);
}

QString QtDialogs::askSaveFileName(QWidget* parent, const QString& current) {
    // The default extension is added by FileNameDialog, for every dialogs
    // object alike; the native dialog must not add one of its own. No
    // question about replacing an existing file: a batch with "del" clear
    // appends to it, and a "replace?" question would tell the user wrong.
    return QFileDialog::getSaveFileName(parent, QString(), current, QString(), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

void QtDialogs::showMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Mirvok"), text, QMessageBox::Ok, parent);
    box.exec();
}

int QtDialogs::execDialog(QDialog& dialog) {
    return dialog.exec();
}

}  // namespace mirvok::ui
