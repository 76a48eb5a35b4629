#include "ui/dialogs/dialogs.hpp"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace mirvok::ui {

QString QtDialogs::askOpenFileName(QWidget* parent, const QString& current) {
    return QFileDialog::getOpenFileName(parent, QString(), current);
}

QString QtDialogs::askFolder(QWidget* parent, const QString& current) {
    return QFileDialog::getExistingDirectory(parent, QString(), current);
}

QString QtDialogs::askSaveFileName(QWidget* parent, const QString& current) {
    // The default extension is added by FileNameDialog, for every dialogs
    // object alike; the native dialog must not add one of its own. Nor does
    // it ask about replacing an existing file: FileNameDialog asks, about
    // the name with its extension, and only where the file will be replaced
    // (a batch with "del" clear appends to it).
    return QFileDialog::getSaveFileName(parent, QString(), current, QString(), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

void QtDialogs::showMessage(QWidget* parent, const QString& text) {
    showTitledMessage(parent, QStringLiteral("Mirvok"), text);
}

void QtDialogs::showTitledMessage(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtDialogs::askYesNo(QWidget* parent, const QString& question) {
    return QMessageBox::question(parent, QStringLiteral("Mirvok"), question,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

int QtDialogs::execDialog(QDialog& dialog) {
    return dialog.exec();
}

}  // namespace mirvok::ui
