#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "sweep/sweep_table.hpp"
#include "ui/results/results_model.hpp"
#include "ui/sweeps/sweep_slice.hpp"

class QComboBox;
class QFileSystemWatcher;
class QFormLayout;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTimer;

namespace mirvok::ui {

class Dialogs;
class ResultsWindow;
class SweepHeatMap;
class SweepLineChart;

// "Mirvok sweep": a window over one sweep folder, showing a summary column
// against its varied values (SweepChoice), read through the core's sweep
// table and read again whenever the folder or its points/ change, so that a
// sweep still running fills in as its points finish. A point is chosen by
// clicking it: "copy command" copies the batch that makes it again, "Show
// records..." opens its kept records in a batch scatter of their own. It
// reads files only: the simulation, the main window and every result file
// stay as they are.
class SweepBrowser final : public QWidget {
    Q_OBJECT
  public:
    // The browser of the folder, shown; null, after a message naming the
    // folder and what is wrong, when it holds no sweep Mirvok can read.
    static SweepBrowser* open(const QString& folder, Dialogs& dialogs, QWidget* parent);
    ~SweepBrowser() override;

    const SweepTable& table() const { return table_; }
    const SweepChoice& choice() const { return choice_; }
    void choose(const SweepChoice& choice);
    int selected() const { return selected_; }
    void select(int point);
    // "30 of 30 points", "12 of 30 points so far", with the damaged rows.
    QString status() const;

    QString csv() const { return sweepCsv(table_, choice_); }
    // The chart shown as an image; a failure is shown once, naming the path.
    bool saveImage(const QString& path);
    // The command of the point chosen, also put on the clipboard.
    QString copyCommand();
    // The batch scatter of the chosen point's kept records; null, after a
    // message, when there are none.
    ResultsWindow* showRecords();

    // Reads the folder again now; false, keeping what was shown, when it
    // cannot be read (the reason in the status line).
    bool reload();

  private:
    SweepBrowser(const QString& folder, Dialogs& dialogs, QWidget* parent);
    QWidget* makeControls();
    QWidget* makeButtons();
    void fillAxisBoxes();
    void rebuildSliders();
    void readControls();
    void redraw();
    void watch();
    QString recordsPath() const;

    const QString folder_;
    Dialogs& dialogs_;
    SweepTable table_;
    SweepChoice choice_;
    int selected_ = -1;
    QString readError_;
    bool filling_ = false;

    QComboBox* column_ = nullptr;
    QComboBox* kind_ = nullptr;
    QComboBox* x_ = nullptr;
    QComboBox* second_ = nullptr;
    QFormLayout* sliders_ = nullptr;
    QStackedWidget* charts_ = nullptr;
    SweepLineChart* lines_ = nullptr;
    SweepHeatMap* heat_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* point_ = nullptr;
    QPushButton* command_ = nullptr;
    QPushButton* records_ = nullptr;
    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* settle_ = nullptr;
    ResultsModel recordsModel_;
    ResultsWindow* recordsWindow_ = nullptr;
};

}  // namespace mirvok::ui
