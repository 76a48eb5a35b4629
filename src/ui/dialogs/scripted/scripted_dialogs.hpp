#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

#include "ui/dialogs/dialogs.hpp"

namespace mirvok::ui {

// Dialogs for tests and benchmarks: file dialogs answer from queues (an
// empty queue answers as a cancel), messages are recorded, questions are
// recorded and answered from a queue (an empty one answers No), and modal
// dialogs run a queued script instead of an event loop (none queued:
// returns QDialog::Accepted without touching the dialog).
class ScriptedDialogs final : public Dialogs {
  public:
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    std::deque<QString> folderAnswers;
    std::deque<std::function<int(QDialog&)>> dialogScripts;
    std::deque<bool> questionAnswers;

    QStringList messages;    // every text shown, in order
    QStringList titles;      // the title of each, in the same order
    QStringList questions;   // every question asked, in order
    QStringList openStarts;  // the `current` each open dialog started with
    QStringList saveStarts;  // the `current` each save dialog started with
    int dialogsShown = 0;

    QString askOpenFileName(QWidget* parent, const QString& current) override;
    QString askSaveFileName(QWidget* parent, const QString& current) override;
    QString askFolder(QWidget* parent, const QString& current) override;
    void showMessage(QWidget* parent, const QString& text) override;
    void showTitledMessage(QWidget* parent, const QString& title, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& question) override;
    int execDialog(QDialog& dialog) override;
};

}  // namespace mirvok::ui
