#include "ui/tform1.hpp"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "model/reset.hpp"
#include "ui/display_painter.hpp"
#include "ui/error_report.hpp"
#include "ui/interval_dialog.hpp"
#include "ui/run_control.hpp"
#include "ui/status_panels.hpp"
#include "ui/ui_text.hpp"
#include "ui/window_layout.hpp"
#include "version/version.hpp"

namespace mirvok::ui {

namespace {
constexpr qint64 kPumpIntervalMs = 10;
}

TForm1::TForm1(SimState& state, RandomSource& random, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      state_(state),
      random_(random),
      dialogs_(dialogs),
      ui_(createControls(this)),
      openDialog_(FileNameDialog::Mode::Open),
      saveDialog_(FileNameDialog::Mode::Save, QStringLiteral("csv")),
      resetValues_(ui_),
      rates_(ui_),
      analysisParams_(ui_),
      variSink_(ui_.VariBox),
      runControl_(std::make_unique<RunControl>(*this)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kWindowCaption));
    statusBar_ = new StatusPanels(this);
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
    state_.Nsteps = stepsForRunLength(readInt(ui_.TimeEdit));
    redrawDisplays();
}

void TForm1::connectClick(QWidget* button, void (TForm1::*handler)(), bool startsWork) {
    connect(static_cast<QAbstractButton*>(button), &QAbstractButton::clicked, this,
            [this, handler, startsWork] {
                if (startsWork && loopRunning()) return;
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
    return runReported(dialogs_, this, handler);
}

void TForm1::processEvents() {
    if (!sincePump_.isValid() || sincePump_.elapsed() >= kPumpIntervalMs) {
        QCoreApplication::processEvents();
        sincePump_.start();
    }
    if (closed_ && loopRunning()) throw WindowClosed{};
}

void TForm1::closeEvent(QCloseEvent* event) {
    closed_ = true;
    timer_.stop();
    QWidget::closeEvent(event);
}

void TForm1::runAllSteps() {
    runControl_->runAllSteps();
}
void TForm1::startContinuousRun() {
    runControl_->startContinuousRun();
}
void TForm1::stopRun() {
    runControl_->stopRun();
}
void TForm1::togglePause() {
    runControl_->togglePause();
}
void TForm1::redrawDisplays() {
    paintDisplays(*this);
}

void TForm1::SimulateButtonClick() {
    startContinuousRun();
}
void TForm1::PauseButtonClick() {
    togglePause();
}
void TForm1::StopButtonClick() {
    stopRun();
}
void TForm1::DoTestClick() {
    runAllSteps();
}
void TForm1::Timer1Timer() {
    runControl_->tick();
}

}  // namespace mirvok::ui
