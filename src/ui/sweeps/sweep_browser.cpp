#include "ui/sweeps/sweep_browser.hpp"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "base/errors.hpp"
#include "ui/dialogs/dialogs.hpp"
#include "ui/results/results_window.hpp"
#include "ui/results/widget_image.hpp"
#include "ui/sweeps/point_command.hpp"
#include "ui/sweeps/point_records.hpp"
#include "ui/sweeps/sweep_heat_map.hpp"
#include "ui/sweeps/sweep_line_chart.hpp"
#include "ui/window/ui_text.hpp"

namespace mirvok::ui {
namespace {

// A sweep writes a point's files one after another: read once they settle.
constexpr int kSettleMs = 300;

QString axisName(const SweepDescription& d, int axis) {
    return toQt(d.vary[static_cast<std::size_t>(axis)].name);
}

}  // namespace

SweepBrowser* SweepBrowser::open(const QString& folder, Dialogs& dialogs, QWidget* parent) {
    auto* browser = new SweepBrowser(folder, dialogs, parent);
    if (!browser->reload()) {
        dialogs.showMessage(parent, browser->readError_);
        delete browser;
        return nullptr;
    }
    browser->fillAxisBoxes();
    // q first, a line per value of the second varied value.
    browser->choose({6, false, 0, 1, {}});
    browser->watch();
    browser->show();
    return browser;
}

SweepBrowser::SweepBrowser(const QString& folder, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), folder_(QDir::cleanPath(folder)), dialogs_(dialogs) {
    setObjectName(QStringLiteral("SweepBrowser"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Mirvok sweep: ") + folder_);
    auto* column = new QVBoxLayout(this);
    column->addWidget(makeControls());
    auto* row = new QHBoxLayout;
    charts_ = new QStackedWidget;
    lines_ = new SweepLineChart;
    heat_ = new SweepHeatMap;
    charts_->addWidget(lines_);
    charts_->addWidget(heat_);
    row->addWidget(charts_, 1);
    row->addWidget(makeButtons());
    column->addLayout(row, 1);
    point_ = new QLabel(QStringLiteral("Click a point to choose it."));
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("SweepStatus"));
    column->addWidget(point_);
    column->addWidget(status_);
    const auto describe = [this](int point) { return pointText(table_, point, choice_.column); };
    lines_->describe = describe;
    heat_->describe = describe;
    connect(lines_, &SweepLineChart::pointClicked, this, &SweepBrowser::select);
    connect(heat_, &SweepHeatMap::pointClicked, this, &SweepBrowser::select);
    resize(900, 620);
}

SweepBrowser::~SweepBrowser() {
    delete recordsWindow_;  // before the model it shows
}

QWidget* SweepBrowser::makeControls() {
    auto* box = new QWidget;
    auto* form = new QFormLayout(box);
    auto* row = new QHBoxLayout;
    column_ = new QComboBox;
    for (int c = 0; c < static_cast<int>(sweepResultColumns().size()); ++c)
        column_->addItem(columnTitle(c));
    kind_ = new QComboBox;
    kind_->addItems({QStringLiteral("lines"), QStringLiteral("heat map")});
    x_ = new QComboBox;
    second_ = new QComboBox;
    row->addWidget(column_);
    row->addWidget(new QLabel(QStringLiteral("as")));
    row->addWidget(kind_);
    row->addWidget(new QLabel(QStringLiteral("along")));
    row->addWidget(x_);
    row->addWidget(new QLabel(QStringLiteral("and")));
    row->addWidget(second_);
    row->addStretch(1);
    form->addRow(QStringLiteral("Show"), row);
    sliders_ = new QFormLayout;
    form->addRow(sliders_);
    for (QComboBox* combo : {column_, kind_, x_, second_})
        connect(combo, &QComboBox::currentIndexChanged, this, [this] {
            if (!filling_) readControls();
        });
    return box;
}

QWidget* SweepBrowser::makeButtons() {
    auto* box = new QWidget;
    auto* buttons = new QVBoxLayout(box);
    auto* save = new QPushButton(QStringLiteral("Save image..."));
    auto* copy = new QPushButton(QStringLiteral("Copy CSV"));
    command_ = new QPushButton(QStringLiteral("copy command"));
    records_ = new QPushButton(QStringLiteral("Show records..."));
    command_->setToolTip(QStringLiteral("The mirvok-cli batch command that makes the point again"));
    records_->setToolTip(QStringLiteral("The point's records, kept by sweep --keep-records"));
    connect(save, &QPushButton::clicked, this, [this] {
        const QString path = dialogs_.askSaveFileName(this, QStringLiteral("sweep.png"));
        if (!path.isEmpty()) saveImage(path);
    });
    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(csv()); });
    connect(command_, &QPushButton::clicked, this, [this] { copyCommand(); });
    connect(records_, &QPushButton::clicked, this, [this] { showRecords(); });
    for (QPushButton* b : {save, copy, command_, records_}) buttons->addWidget(b);
    buttons->addStretch(1);
    return box;
}

void SweepBrowser::fillAxisBoxes() {
    const QSignalBlocker blockX(x_);
    x_->clear();
    for (int a = 0; a < static_cast<int>(table_.description.vary.size()); ++a)
        x_->addItem(axisName(table_.description, a), a);
    kind_->setEnabled(table_.description.vary.size() > 1);
}

void SweepBrowser::readControls() {
    SweepChoice next = choice_;
    next.column = column_->currentIndex();
    next.heatMap = kind_->currentIndex() == 1;
    next.x = x_->currentData().toInt();
    next.second = second_->currentData().isValid() ? second_->currentData().toInt() : -1;
    choose(next);
}

void SweepBrowser::choose(const SweepChoice& wanted) {
    const SweepChoice next = fittedChoice(table_.description, wanted);
    const bool newAxes = next.x != choice_.x || next.second != choice_.second ||
                         next.heatMap != choice_.heatMap || sliders_->rowCount() == 0;
    choice_ = next;
    filling_ = true;
    column_->setCurrentIndex(choice_.column);
    kind_->setCurrentIndex(choice_.heatMap ? 1 : 0);
    x_->setCurrentIndex(choice_.x);
    second_->clear();
    if (!choice_.heatMap) second_->addItem(QStringLiteral("one line"));
    for (int a = 0; a < static_cast<int>(table_.description.vary.size()); ++a)
        if (a != choice_.x) second_->addItem(axisName(table_.description, a), a);
    second_->setCurrentIndex(std::max(0, second_->findData(choice_.second)));
    filling_ = false;
    if (newAxes) rebuildSliders();
    redraw();
}

void SweepBrowser::rebuildSliders() {
    while (sliders_->rowCount() > 0) sliders_->removeRow(0);
    const SweepDescription& d = table_.description;
    for (const int axis : heldAxes(choice_, d.vary.size())) {
        const auto a = static_cast<std::size_t>(axis);
        auto* slider = new QSlider(Qt::Horizontal);
        slider->setRange(0, static_cast<int>(d.vary[a].values.size()) - 1);
        slider->setValue(choice_.held[a]);
        auto* value =
            new QLabel(floatText(d.vary[a].values[static_cast<std::size_t>(choice_.held[a])]));
        value->setMinimumWidth(80);
        auto* row = new QHBoxLayout;
        row->addWidget(slider, 1);
        row->addWidget(value);
        sliders_->addRow(axisName(d, axis), row);
        connect(slider, &QSlider::valueChanged, this, [this, a, value](int index) {
            choice_.held[a] = index;
            value->setText(
                floatText(table_.description.vary[a].values[static_cast<std::size_t>(index)]));
            redraw();
        });
    }
}

void SweepBrowser::redraw() {
    const SweepDescription& d = table_.description;
    QString title = QFileInfo(folder_).fileName() + QStringLiteral(": ");
    for (const int axis : heldAxes(choice_, d.vary.size())) {
        const auto a = static_cast<std::size_t>(axis);
        title += axisName(d, axis) + ' ' +
                 floatText(d.vary[a].values[static_cast<std::size_t>(choice_.held[a])]) +
                 QStringLiteral(", ");
    }
    if (choice_.heatMap) {
        // The colours are the mean's; its sd is in the tooltips.
        const QString column = columnTitle(choice_.column, false);
        heat_->showCells(sweepHeatCells(table_, choice_), {title + column, axisName(d, choice_.x),
                                                           axisName(d, choice_.second), column});
        charts_->setCurrentWidget(heat_);
    } else {
        const QString column = columnTitle(choice_.column);
        lines_->showLines(sweepLines(table_, choice_),
                          {title + column, axisName(d, choice_.x), column,
                           choice_.second < 0 ? QString() : axisName(d, choice_.second)});
        charts_->setCurrentWidget(lines_);
    }
    select(selected_);
    status_->setText(status());
}

void SweepBrowser::select(int point) {
    selected_ = point;
    lines_->select(point);
    heat_->select(point);
    const bool there = point >= 0 && point < table_.description.points;
    point_->setText(
        there ? pointText(table_, point, choice_.column).replace('\n', QStringLiteral("; "))
              : QStringLiteral("Click a point to choose it."));
    command_->setEnabled(there);
    records_->setEnabled(there && QFileInfo::exists(recordsPath()));
}

QString SweepBrowser::status() const {
    const int found = table_.found();
    QString text = QStringLiteral("%1 of %2 points").arg(found).arg(table_.description.points);
    if (found < table_.description.points) text += QStringLiteral(" so far");
    if (!table_.damaged.empty())
        text += QStringLiteral("; %1 damaged or foreign rows not shown").arg(table_.damaged.size());
    if (!readError_.isEmpty()) text += QStringLiteral("; ") + readError_;
    return text;
}

bool SweepBrowser::reload() {
    try {
        table_ = readSweepTable(SweepFolder(toStd(folder_)));
        readError_.clear();
        return true;
    } catch (const std::exception& e) {
        readError_ = QStringLiteral("'%1' holds no sweep to show: %2").arg(folder_, toQt(e.what()));
    }
    if (status_) status_->setText(status());
    return false;
}

void SweepBrowser::watch() {
    watcher_ = new QFileSystemWatcher(this);
    settle_ = new QTimer(this);
    settle_->setSingleShot(true);
    settle_->setInterval(kSettleMs);
    const auto follow = [this] {
        watcher_->addPath(folder_);
        if (QFileInfo(folder_ + QStringLiteral("/points")).isDir())
            watcher_->addPath(folder_ + QStringLiteral("/points"));
    };
    follow();
    // Read at most every kSettleMs while files keep coming, never put off
    // for as long as a sweep runs.
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (!settle_->isActive()) settle_->start();
    });
    connect(settle_, &QTimer::timeout, this, [this, follow] {
        follow();
        if (!reload()) return;
        fillAxisBoxes();
        choose(choice_);
    });
}

QString SweepBrowser::recordsPath() const {
    return toQt(SweepFolder(toStd(folder_)).recordsFile(selected_));
}

bool SweepBrowser::saveImage(const QString& path) {
    try {
        saveWidgetImage(*charts_->currentWidget(), path, windowTitle());
        return true;
    } catch (const FileError& e) {
        dialogs_.showMessage(this, toQt(e.what()));
        return false;
    }
}

QString SweepBrowser::copyCommand() {
    if (selected_ < 0) return {};
    QString command;
    try {
        command =
            pointCommandLine(table_.description, selected_, QFileInfo(recordsPath()).fileName());
    } catch (const std::exception& e) {
        dialogs_.showMessage(this, toQt(e.what()));
        return {};
    }
    QApplication::clipboard()->setText(command);
    return command;
}

ResultsWindow* SweepBrowser::showRecords() {
    if (selected_ < 0) return nullptr;
    const QString path = recordsPath();
    try {
        recordsModel_.setBatch(pointRecords(toStd(path)));
    } catch (const std::exception& e) {
        dialogs_.showMessage(this, toQt(e.what()));
        return nullptr;
    }
    if (!recordsWindow_) recordsWindow_ = new ResultsWindow(recordsModel_, dialogs_, this);
    recordsWindow_->showOnly(ResultsModel::Chart::Batch,
                             QStringLiteral("Sweep point %1 (%2)")
                                 .arg(selected_)
                                 .arg(pointValuesText(table_.description, selected_)));
    recordsWindow_->show();
    recordsWindow_->raise();
    return recordsWindow_;
}

}  // namespace mirvok::ui
