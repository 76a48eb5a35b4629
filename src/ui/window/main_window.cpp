#include "ui/window/main_window.hpp"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <utility>

#include "ui/window/error_report.hpp"
#include "ui/window/status_panels.hpp"
#include "ui/window/window_layout.hpp"
#include "version/version.hpp"

namespace mirvok::ui {

MainWindow::MainWindow(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      ui_(createControls(this)),
      statusBar_(new StatusPanels(this)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kWindowCaption));
    statusBar_->setGeometry(0, kClientHeight, kClientWidth, kStatusBarHeight);
    setFixedSize(kClientWidth, kClientHeight + kStatusBarHeight);
    move(253, 210);
    ui_.DoTest->setDefault(true);
    timer_.setObjectName(QStringLiteral("Timer1"));
    timer_.setInterval(10);
}

MainWindow::~MainWindow() = default;

void MainWindow::onClick(QAbstractButton* button, Click click, std::function<void()> handler,
                         std::function<void()> whileBusy) {
    connect(button, &QAbstractButton::clicked, this,
            [this, click, handler = std::move(handler), whileBusy = std::move(whileBusy)] {
                if (click == Click::StartsWork && loopRunning()) {
                    if (whileBusy) whileBusy();
                    return;
                }
                report(handler);
            });
}

void MainWindow::onTick(std::function<void()> handler) {
    connect(&timer_, &QTimer::timeout, this,
            [this, handler = std::move(handler)] { report(handler); });
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Enter clicks the button that has the focus, and otherwise the default
    // button "Count!" (edit boxes pass Enter on to the window).
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QWidget::keyPressEvent(event);
        return;
    }
    auto* focused = qobject_cast<QPushButton*>(focusWidget());
    (focused ? focused : ui_.DoTest)->click();
}

bool MainWindow::report(const std::function<void()>& handler) {
    const bool succeeded = runReported(dialogs_, this, handler);
    // A handler whose loop the window's close ended returns only now,
    // after showing any error it met on its way out (FILE.json not
    // written). Qt's own quit on closing the last window is lost when such
    // a box opens, so the program is ended here, as the close asked.
    if (pump_.closed()) QCoreApplication::quit();
    return succeeded;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    pump_.windowClosed();
    timer_.stop();
    QWidget::closeEvent(event);
}

}  // namespace mirvok::ui
