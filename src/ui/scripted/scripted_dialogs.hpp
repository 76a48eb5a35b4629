#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

#include "ui/dialogs.hpp"

namespace mirvok::ui {

// Dialogs for tests and benchmarks: file dialogs answer from queues (an
// empty queue answers as a cancel), messages are recorded, and modal dialogs
// run a queued script instead of an event loop (none queued: returns
// QDialog::Accepted without touching the dialog).
class ScriptedDialogs final : public Dialogs {
  public:
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    std::deque<std::function<int(QDialog&)>> dialogScripts;

    QStringList messages;    // every text shown, in order
    QStringList openStarts;  // the `current` each open dialog started with
    QStringList saveStarts;  // the `current` each save dialog started with
    int dialogsShown = 0;

    QString askOpenFileName(QWidget* parent, const QString& current) override;
    QString askSaveFileName(QWidget* parent, const QString& current) override;
    void showMessage(QWidget* parent, const QString& text) override;
    int execDialog(QDialog& dialog) override;
};

}  // namespace mirvok::ui
