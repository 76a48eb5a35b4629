#include "ui/tform1.hpp"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "model/reset.hpp"
#include "system/machine_memory.hpp"
#include "ui/dialogs/interval_dialog.hpp"
#include "ui/results/results_window.hpp"
#include "ui/window/error_report.hpp"
#include "ui/window/status_panels.hpp"
#include "ui/window/ui_text.hpp"
#include "ui/window/window_layout.hpp"
#include "ui/window_parts.hpp"
#include "version/version.hpp"

namespace mirvok::ui {

TForm1::TForm1(SimState& state, RandomSource& random, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      state_(state),
      random_(random),
      dialogs_(dialogs),
      ui_(createControls(this)),
      statusBar_(new StatusPanels(this)),
      openDialog_(FileNameDialog::Mode::Open),
      saveDialog_(FileNameDialog::Mode::Save, QStringLiteral("csv")),
      // Save... proposes a spike list of its own, never a batch's results.
      spikeListDialog_(FileNameDialog::Mode::Save, QStringLiteral("csv"),
                       QStringLiteral("spikes.csv")),
      boxes_(ui_),
      resetValues_(boxes_),
      rates_(boxes_),
      analysisParams_(boxes_),
      variList_(ui_.VariBox),
      generatorEntries_(boxes_, ui_.shape, pump_),
      screen_(state_, displayWidgets(ui_, *statusBar_), dialogs_, this),
      runControl_(state_, {resetValues_, rates_, analysisParams_, variList_}, runWidgets(ui_),
                  timer_, pump_, screen_),
      batch_({state_,
              boxes_,
              {resetValues_, rates_, analysisParams_},
              runControl_,
              pump_,
              screen_,
              *statusBar_,
              saveDialog_,
              dialogs_,
              this,
              generatorEntries_,
              [this](const QString& progress) {
                  if (resultsWindow_) resultsWindow_->showProgress(progress);
              }},
             batchWidgets(ui_)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kWindowCaption));
    statusBar_->setGeometry(0, kClientHeight, kClientWidth, kStatusBarHeight);
    setFixedSize(kClientWidth, kClientHeight + kStatusBarHeight);
    move(253, 210);
    ui_.DoTest->setDefault(true);
    timer_.setObjectName(QStringLiteral("Timer1"));
    timer_.setInterval(10);
    intervalDialog_ = new TOKBottomDlg(this);
    intervalDialog_->hide();
    connectHandlers();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    // The random source is seeded by its maker; widgets double-buffer in Qt.
    state_.Nsteps = stepsForRunLength(boxes_.time.intValue(), physicalMemoryBytes());
    redrawDisplays();
}

void TForm1::connectClick(QWidget* button, void (TForm1::*handler)(), bool startsWork) {
    connect(static_cast<QAbstractButton*>(button), &QAbstractButton::clicked, this,
            [this, handler, startsWork] {
                if (startsWork && loopRunning()) {
                    // A Count! clicked while GammaGen! draws is meant for the
                    // new train: it runs once the train is drawn, so that the
                    // displays never show the new train beside the old run.
                    if (handler == &TForm1::DoTestClick && drawingTrain_) countAfterTrain_ = true;
                    return;
                }
                report([this, handler] { (this->*handler)(); });
            });
}

void TForm1::connectHandlers() {
    connectClick(ui_.ReadButton, &TForm1::ReadButtonClick, true);
    connectClick(ui_.ReadMultipleButton, &TForm1::ReadMultipleButtonClick, true);
    connectClick(ui_.SimulateButton, &TForm1::SimulateButtonClick, true);
    connectClick(ui_.PauseButton, &TForm1::PauseButtonClick, false);
    connectClick(ui_.StopButton, &TForm1::StopButtonClick, false);
    connectClick(ui_.SaveButton, &TForm1::SaveButtonClick, true);
    connectClick(ui_.newints, &TForm1::newintsClick, true);
    connectClick(ui_.GammaButton, &TForm1::GammaButtonClick, true);
    connectClick(ui_.DoTest, &TForm1::DoTestClick, true);
    connectClick(ui_.All, &TForm1::AllClick, true);
    connectClick(ui_.ResultsButton, &TForm1::ResultsButtonClick, false);
    connectClick(ui_.CopyCommandButton, &TForm1::CopyCommandButtonClick, false);
    connect(&timer_, &QTimer::timeout, this, [this] { report([this] { Timer1Timer(); }); });
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    // Enter clicks the button that has the focus, and otherwise the default
    // button "Count!" (edit boxes pass Enter on to the window).
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QWidget::keyPressEvent(event);
        return;
    }
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    (focused ? focused : ui_.DoTest)->click();
}

bool TForm1::report(const std::function<void()>& handler) {
    const bool succeeded = runReported(dialogs_, this, handler);
    // A handler whose loop the window's close ended returns only now,
    // after showing any error it met on its way out (FILE.json not
    // written). Qt's own quit on closing the last window is lost when such
    // a box opens, so the program is ended here, as the close asked.
    if (pump_.closed()) QCoreApplication::quit();
    return succeeded;
}

void TForm1::closeEvent(QCloseEvent* event) {
    pump_.windowClosed();
    timer_.stop();
    QWidget::closeEvent(event);
}

void TForm1::redrawDisplays() {
    screen_.redraw();
}

}  // namespace mirvok::ui
