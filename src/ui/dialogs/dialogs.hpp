#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace mirvok::ui {

// Every modal interaction of the window goes through this interface, so that
// tests replace it with a scripted one (ScriptedDialogs) and never block.
class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // File dialogs: start at `current` (a full path or empty) and return the
    // chosen full path, or an empty string when the user cancels. No filter.
    virtual QString askOpenFileName(QWidget* parent, const QString& current) = 0;
    virtual QString askSaveFileName(QWidget* parent, const QString& current) = 0;
    // A folder to open, likewise.
    virtual QString askFolder(QWidget* parent, const QString& current) = 0;

    // A modal message box with the text and an OK button, titled "Mirvok"
    // or, for a message about one box, with the box's title.
    virtual void showMessage(QWidget* parent, const QString& text) = 0;
    virtual void showTitledMessage(QWidget* parent, const QString& title, const QString& text) = 0;

    // A modal question with Yes and No; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& question) = 0;

    // Shows `dialog` modally and returns its result (QDialog::exec()). A
    // scripted version acts on the dialog's controls instead, then returns.
    virtual int execDialog(QDialog& dialog) = 0;
};

// The real thing: QFileDialog, QMessageBox, QDialog::exec.
class QtDialogs final : public Dialogs {
  public:
    QString askOpenFileName(QWidget* parent, const QString& current) override;
    QString askSaveFileName(QWidget* parent, const QString& current) override;
    QString askFolder(QWidget* parent, const QString& current) override;
    void showMessage(QWidget* parent, const QString& text) override;
    void showTitledMessage(QWidget* parent, const QString& title, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& question) override;
    int execDialog(QDialog& dialog) override;
};

}  // namespace mirvok::ui
