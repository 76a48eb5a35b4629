#include "ui/results/results_window.hpp"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "base/errors.hpp"
#include "ui/dialogs/dialogs.hpp"
#include "ui/ui_text.hpp"

namespace mirvok::ui {
namespace {

const char* const kDefaultImage = "chart.png";

// The range of every point of the lists, widened a little and never empty.
std::pair<QPointF, QPointF> rangeOf(const std::vector<const QList<QPointF>*>& lists) {
    double x0 = std::numeric_limits<double>::max(), x1 = -x0, y0 = x0, y1 = -x0;
    for (const QList<QPointF>* list : lists)
        for (const QPointF& p : *list) {
            x0 = std::min(x0, p.x());
            x1 = std::max(x1, p.x());
            y0 = std::min(y0, p.y());
            y1 = std::max(y1, p.y());
        }
    const auto widen = [](double& low, double& high) {
        const double pad = high > low ? (high - low) * 0.05 : std::max(std::abs(low) * 0.05, 0.01);
        low -= pad;
        high += pad;
    };
    widen(x0, x1);
    widen(y0, y1);
    return {{x0, y0}, {x1, y1}};
}

// The range as QValueAxis::applyNiceNumbers rounds it, worked out on an axis
// of no chart; the axis moves only when that changes it, because every move
// lays out again every point of its chart.
void setNiceRange(QValueAxis& axis, double low, double high) {
    QValueAxis nice;
    nice.setTickCount(axis.tickCount());
    nice.setRange(low, high);
    nice.applyNiceNumbers();
    if (nice.tickCount() != axis.tickCount()) axis.setTickCount(nice.tickCount());
    if (nice.min() != axis.min() || nice.max() != axis.max()) axis.setRange(nice.min(), nice.max());
}

constexpr ResultsModel::Series kAllSeries[] = {
    ResultsModel::Series::Q,         ResultsModel::Series::Score,     ResultsModel::Series::MeanQ,
    ResultsModel::Series::MeanScore, ResultsModel::Series::Histogram, ResultsModel::Series::Density,
    ResultsModel::Series::LocalCvs,  ResultsModel::Series::C0};

}  // namespace

ResultsWindow::ResultsWindow(const ResultsModel& model, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(model), dialogs_(dialogs) {
    setObjectName(QStringLiteral("ResultsWindow"));
    setWindowTitle(QStringLiteral("Mirvok results"));
    auto* column = new QVBoxLayout(this);
    progress_ = new QLabel(this);
    progress_->setObjectName(QStringLiteral("BatchProgress"));
    progress_->hide();
    column->addWidget(progress_);
    column->addWidget(makePanel(Chart::Batch, QStringLiteral("Last batch"),
                                QStringLiteral("input CV"), QStringLiteral("q, score")));
    column->addWidget(makePanel(Chart::Intervals, QStringLiteral("Input train"),
                                QStringLiteral("interval (ms)"), QStringLiteral("count")));
    column->addWidget(makePanel(Chart::LocalCvs, QStringLiteral("Current run"),
                                QStringLiteral("time (ms)"), QStringLiteral("local CV")));
    makeSeries();
    connect(&model_, &ResultsModel::changed, this, [this](Chart chart) {
        if (isVisible()) refresh(chart);
    });
    resize(760, 860);
}

QWidget* ResultsWindow::makePanel(Chart chart, const QString& title, const QString& xTitle,
                                  const QString& yTitle) {
    Panel& panel = panels_[index(chart)];
    panel.title = title;
    auto* qchart = new QChart;
    qchart->legend()->setAlignment(Qt::AlignRight);
    panel.view = new QChartView(qchart);
    panel.view->setRenderHint(QPainter::Antialiasing);
    panel.view->setMinimumHeight(240);
    panel.x = new QValueAxis(qchart);
    panel.x->setTitleText(xTitle);
    panel.y = new QValueAxis(qchart);
    panel.y->setTitleText(yTitle);
    qchart->addAxis(panel.x, Qt::AlignBottom);
    qchart->addAxis(panel.y, Qt::AlignLeft);

    auto* save = new QPushButton(QStringLiteral("Save image..."));
    auto* copy = new QPushButton(QStringLiteral("Copy CSV"));
    connect(save, &QPushButton::clicked, this, [this, chart] { askAndSave(chart); });
    connect(copy, &QPushButton::clicked, this,
            [this, chart] { QApplication::clipboard()->setText(model_.csv(chart)); });
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(copy);
    buttons->addStretch(1);
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel.view, 1);
    layout->addLayout(buttons);
    return row;
}

void ResultsWindow::showProgress(const QString& text) {
    progress_->setText(text);
    progress_->setVisible(!text.isEmpty());
}

QString ResultsWindow::progress() const {
    return progress_->text();
}

void ResultsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    for (Chart chart : {Chart::Batch, Chart::Intervals, Chart::LocalCvs}) refresh(chart);
}

void ResultsWindow::addSeries(Series which, QXYSeries* made, const QString& name,
                              const QColor& colour) {
    const Panel& panel = panels_[index(ResultsModel::chartOf(which))];
    made->setName(name);
    made->setColor(colour);
    panel.view->chart()->addSeries(made);
    made->attachAxis(panel.x);
    made->attachAxis(panel.y);
    series_[index(which)] = made;
}

void ResultsWindow::makeSeries() {
    const QColor blue(0x1f77b4), red(0xd62728), grey(0x404040), green(0x2ca02c);
    // Scattered points are a line series' visible points with no line: a
    // scatter series makes one graphics item per point, and filling it with
    // 10,000 points takes half a second where this takes a few ms.
    const auto dots = [](qreal diameter) {
        auto* made = new QLineSeries;
        made->setPen(Qt::NoPen);
        made->setPointsVisible(true);
        made->setMarkerSize(diameter / 2);  // drawn as a radius here
        return made;
    };
    addSeries(Series::Q, dots(5), QStringLiteral("q"), blue);
    addSeries(Series::Score, dots(5), QStringLiteral("score"), red);
    addSeries(Series::MeanQ, new QLineSeries, QStringLiteral("mean q"), blue);
    addSeries(Series::MeanScore, new QLineSeries, QStringLiteral("mean score"), red);
    addSeries(Series::Histogram, new QLineSeries, QStringLiteral("intervals"), grey);
    addSeries(Series::Density, new QLineSeries, QStringLiteral("gamma density"), red);
    addSeries(Series::LocalCvs, dots(6), QStringLiteral("local CV"), blue);
    addSeries(Series::C0, new QLineSeries, QStringLiteral("c0"), green);
}

void ResultsWindow::refresh(Chart chart) {
    std::vector<const QList<QPointF>*> lists;
    for (Series s : kAllSeries) {
        if (ResultsModel::chartOf(s) != chart) continue;
        lists.push_back(&model_.points(s));
        if (handed_[index(s)] == model_.revision(s)) continue;
        series_[index(s)]->replace(model_.points(s));
        handed_[index(s)] = model_.revision(s);
    }
    Panel& panel = panels_[index(chart)];
    QChart* qchart = panel.view->chart();
    const bool empty = model_.empty(chart);
    // An empty chart says what would fill it, with no axes to mislead.
    QString title = panel.title;
    if (chart == Chart::Batch) title += QStringLiteral(": %1 runs").arg(model_.data().batchRuns);
    qchart->setTitle(empty ? model_.emptyText(chart) : title);
    panel.x->setVisible(!empty);
    panel.y->setVisible(!empty);
    qchart->legend()->setVisible(!empty);
    if (empty) return;
    const auto [low, high] = rangeOf(lists);
    // Intervals, times and counts start at 0, never below.
    const bool fromZero = chart != Chart::Batch;
    setNiceRange(*panel.x, fromZero ? std::max(0.0, low.x()) : low.x(), high.x());
    setNiceRange(*panel.y, chart == Chart::Intervals ? 0.0 : low.y(), high.y());
}

void ResultsWindow::askAndSave(Chart chart) {
    const QString path = dialogs_.askSaveFileName(this, QString::fromUtf8(kDefaultImage));
    if (path.isEmpty()) return;
    saveImage(chart, path);
}

bool ResultsWindow::saveImage(Chart chart, const QString& path) {
    // A hidden window's chart may be behind the model: the image is not.
    refresh(chart);
    QChartView* chartView = view(chart);
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    if (written) {
        if (QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0) {
            QSvgGenerator svg;
            svg.setOutputDevice(&file);
            svg.setSize(chartView->size());
            svg.setViewBox(chartView->rect());
            svg.setTitle(panels_[index(chart)].title);
            QPainter painter(&svg);
            chartView->render(&painter);
            written = painter.end();
        } else {
            written = chartView->grab().save(&file, "PNG");
        }
        written = written && file.commit();
    }
    if (!written) dialogs_.showMessage(this, toQt(FileError::couldNotWrite(toStd(path)).what()));
    return written;
}

}  // namespace mirvok::ui
