#include "ui/results/verify_row.hpp"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

#include "base/errors.hpp"
#include "batch/batch_progress.hpp"
#include "system/cpu_count.hpp"
#include "system/machine_memory.hpp"
#include "ui/dialogs/dialogs.hpp"
#include "ui/window/ui_text.hpp"
#include "verify/verify.hpp"

namespace mirvok::ui {
namespace {

constexpr int kPollMs = 100;

}  // namespace

VerifyRow::VerifyRow(Dialogs& dialogs, QWidget* parent) : QWidget(parent), dialogs_(dialogs) {
    button_ = new QPushButton(QStringLiteral("Verify..."), this);
    button_->setObjectName(QStringLiteral("VerifyButton"));
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("VerifyStatus"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(button_);
    row->addWidget(status_, 1);
    poll_.setInterval(kPollMs);
    connect(button_, &QPushButton::clicked, this, [this] {
        try {
            clicked();
        } catch (const std::exception& e) {
            dialogs_.showMessage(window(), toQt(e.what()));
        }
    });
    connect(&poll_, &QTimer::timeout, this, [this] { poll(); });
}

VerifyRow::~VerifyRow() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

QString VerifyRow::status() const {
    return status_->text();
}

void VerifyRow::clicked() {
    if (running()) {
        stop_ = true;
        status_->setText(QStringLiteral("Stopping..."));
        return;
    }
    const QString path = dialogs_.askOpenFileName(window(), path_);
    if (path.isEmpty()) return;
    start(path);
}

void VerifyRow::start(const QString& path) {
    path_ = path;
    stop_ = false;
    ended_ = false;
    done_ = 0;
    total_ = 0;
    report_.reset();
    failure_.clear();
    button_->setText(QStringLiteral("Stop verifying"));
    status_->setText(QStringLiteral("Verifying ") + QFileInfo(path).fileName() +
                     QStringLiteral("..."));
    clock_.start();
    thread_ = std::thread([this, file = toStd(path)] {
        VerifySettings settings;
        settings.run.threads = usableCpuCount();
        settings.run.availableBytes = availableMemoryBytes();
        settings.run.progress = [this](long long done, long long total) {
            done_ = done;
            total_ = total;
        };
        settings.run.stop = [this] { return stop_.load(); };
        try {
            report_ = verifyPath(file, settings);
        } catch (const std::exception& e) {
            failure_ = e.what();
        }
        ended_ = true;
    });
    poll_.start();
}

void VerifyRow::poll() {
    if (ended_) {
        finish();
        return;
    }
    if (stop_ || total_ == 0) return;
    const double seconds = static_cast<double>(clock_.elapsed()) / 1000.0;
    status_->setText(QStringLiteral("Verifying ") + QFileInfo(path_).fileName() +
                     QStringLiteral(": ") + toQt(progressText(done_, total_, seconds)));
}

void VerifyRow::finish() {
    poll_.stop();
    thread_.join();
    button_->setText(QStringLiteral("Verify..."));
    if (!report_) {
        status_->clear();
        dialogs_.showMessage(window(), toQt(failure_));
        return;
    }
    QStringList lines;
    for (const std::string& line : reportLines(*report_)) lines << toQt(line);
    if (report_->stopped)
        lines.prepend(QStringLiteral("Stopped after ") + intText(done_) + QStringLiteral(" of ") +
                      intText(total_) + QStringLiteral(" runs"));
    status_->setText(toQt(closingLine(*report_)));
    dialogs_.showMessage(window(), lines.join(QLatin1Char('\n')));
}

}  // namespace mirvok::ui
