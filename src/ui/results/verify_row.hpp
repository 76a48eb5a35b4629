#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <optional>
#include <string>
#include <thread>

#include "verify/verify_tally.hpp"

class QLabel;
class QPushButton;

namespace mirvok::ui {

class Dialogs;

// "Verify..." and what it says: a result file (or a sweep's sweep.json)
// chosen in a file dialog is checked against how it was made, as
// `mirvok-cli verify` checks it (verifyPath, on all cores, a file without
// FILE.json with the default values), on a thread of its own, so the
// windows stay usable. The label beside the button tells the progress and
// then the closing line, "N records checked, M differ"; a message shows
// the whole report, or why the file could not be checked. A click while a
// check runs stops it after the records being compared, and says so. It
// reads the chosen file only: the simulation, the main window and any
// result file stay as they are.
class VerifyRow final : public QWidget {
    Q_OBJECT
  public:
    VerifyRow(Dialogs& dialogs, QWidget* parent = nullptr);
    // Stops a check still running and waits for its thread.
    ~VerifyRow() override;

    QPushButton* button() const { return button_; }
    QString status() const;
    bool running() const { return thread_.joinable(); }

  private:
    void clicked();
    void start(const QString& path);
    // Shows the progress of the running check, or its end.
    void poll();
    void finish();

    Dialogs& dialogs_;
    QPushButton* button_ = nullptr;
    QLabel* status_ = nullptr;
    QTimer poll_;
    QElapsedTimer clock_;
    QString path_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> ended_{false};
    std::atomic<long long> done_{0};
    std::atomic<long long> total_{0};
    // Set by the thread before ended_, read after it.
    std::optional<VerifyReport> report_;
    std::string failure_;
};

}  // namespace mirvok::ui
