#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

#include "ui/window/event_pump.hpp"
#include "ui/window/form_controls.hpp"

class QAbstractButton;

namespace mirvok::ui {

class Dialogs;
class StatusPanels;

// The main window "Form1" as the groups of handlers see it: its controls as
// the layout makes them, the status bar, Timer1, the event pump and the
// window's one error report. It knows no run, train or batch: each group
// (ui/run, ui/trains, ui/batch, ui/results) connects its own buttons here.
//
// Every click and tick reaches its handler through report(): an error
// escaping a handler is shown in a message box (its own message) and the
// event loop goes on. While a loop runs (loopRunning(): an instant run, a
// batch, or GammaGen! drawing a train), clicks on the buttons that start
// work are ignored (their group may note them); Stop, Pause, the check
// boxes, speed and the boxes keep working.
class MainWindow : public QWidget {
    Q_OBJECT
  public:
    // The dialogs are made by the caller and outlive the window.
    explicit MainWindow(Dialogs& dialogs, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The named controls, the status bar and Timer1, for the groups, tools
    // and tests to click and read.
    const FormControls& ui() const { return ui_; }
    StatusPanels& StatusBar() const { return *statusBar_; }
    QTimer& Timer1() { return timer_; }
    const QTimer& Timer1() const { return timer_; }
    EventPump& pump() { return pump_; }
    Dialogs& dialogs() const { return dialogs_; }
    bool loopRunning() const { return pump_.loopRunning(); }

    // Whether a button starts work, and so is ignored while a loop runs.
    enum class Click { StartsWork, Always };
    // Connects the button's clicks to the handler under the error report;
    // whileBusy, if given, is called instead for a click that a running
    // loop makes the window ignore.
    void onClick(QAbstractButton* button, Click click, std::function<void()> handler,
                 std::function<void()> whileBusy = {});
    // Connects Timer1's ticks to the handler under the error report.
    void onTick(std::function<void()> handler);

    // Runs a handler under the window's error report; false when it failed.
    // Once the window was closed, the program ends when the handler returns.
    bool report(const std::function<void()>& handler);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Closing ends a continuous run at once, and a running loop at its next
    // event check (the pump throws WindowClosed); a batch ended so still
    // writes its FILE.json.
    void closeEvent(QCloseEvent* event) override;

  private:
    Dialogs& dialogs_;
    FormControls ui_;
    StatusPanels* statusBar_;
    QTimer timer_;
    EventPump pump_;
};

}  // namespace mirvok::ui
