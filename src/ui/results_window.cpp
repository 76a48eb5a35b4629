#include "ui/results_window.hpp"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QVXYModelMapper>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <limits>

#include "text/errors.hpp"
#include "ui/dialogs.hpp"
#include "ui/ui_text.hpp"

namespace mirvok::ui {
namespace {

const char* const kDefaultImage = "chart.png";

template <class Series>
Series* bound(QChart* chart, const SeriesTable& table, const QString& name, const QColor& colour) {
    auto* series = new Series(chart);
    series->setName(name);
    series->setColor(colour);
    auto* mapper = new QVXYModelMapper(series);
    mapper->setXColumn(0);
    mapper->setYColumn(1);
    mapper->setSeries(series);
    mapper->setModel(const_cast<SeriesTable*>(&table));
    chart->addSeries(series);
    return series;
}

// The range of every point of the tables, widened a little and never empty.
std::pair<QPointF, QPointF> rangeOf(std::initializer_list<const SeriesTable*> tables) {
    double x0 = std::numeric_limits<double>::max(), x1 = -x0, y0 = x0, y1 = -x0;
    for (const SeriesTable* table : tables)
        for (const XY& p : table->points()) {
            x0 = std::min(x0, p.x);
            x1 = std::max(x1, p.x);
            y0 = std::min(y0, p.y);
            y1 = std::max(y1, p.y);
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

}  // namespace

ResultsWindow::ResultsWindow(const ResultsModel& model, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(model), dialogs_(dialogs) {
    setObjectName(QStringLiteral("ResultsWindow"));
    setWindowTitle(QStringLiteral("Mirvok results"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(makePanel(Chart::Batch, QStringLiteral("Last batch"),
                                QStringLiteral("input CV"), QStringLiteral("q, score")));
    column->addWidget(makePanel(Chart::Intervals, QStringLiteral("Input train"),
                                QStringLiteral("interval (ms)"), QStringLiteral("count")));
    column->addWidget(makePanel(Chart::LocalCvs, QStringLiteral("Current run"),
                                QStringLiteral("time (ms)"), QStringLiteral("local CV")));
    bindSeries();
    connect(&model_, &ResultsModel::changed, this, [this] { refresh(); });
    refresh();
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

void ResultsWindow::bindSeries() {
    const auto attach = [this](Chart chart, QAbstractSeries* series) {
        series->attachAxis(panels_[index(chart)].x);
        series->attachAxis(panels_[index(chart)].y);
    };
    QChart* batch = panels_[index(Chart::Batch)].view->chart();
    auto* q = bound<QScatterSeries>(batch, model_.q, QStringLiteral("q"), QColor(0x1f77b4));
    auto* score =
        bound<QScatterSeries>(batch, model_.score, QStringLiteral("score"), QColor(0xd62728));
    for (QScatterSeries* s : {q, score}) {
        s->setMarkerSize(5);
        s->setBorderColor(Qt::transparent);
    }
    attach(Chart::Batch, q);
    attach(Chart::Batch, score);
    attach(Chart::Batch,
           bound<QLineSeries>(batch, model_.meanQ, QStringLiteral("mean q"), QColor(0x1f77b4)));
    attach(Chart::Batch, bound<QLineSeries>(batch, model_.meanScore, QStringLiteral("mean score"),
                                            QColor(0xd62728)));
    QChart* train = panels_[index(Chart::Intervals)].view->chart();
    attach(Chart::Intervals, bound<QLineSeries>(train, model_.histogram,
                                                QStringLiteral("intervals"), QColor(0x404040)));
    attach(Chart::Intervals, bound<QLineSeries>(train, model_.density,
                                                QStringLiteral("gamma density"), QColor(0xd62728)));
    QChart* run = panels_[index(Chart::LocalCvs)].view->chart();
    auto* local =
        bound<QScatterSeries>(run, model_.localCvs, QStringLiteral("local CV"), QColor(0x1f77b4));
    local->setMarkerSize(6);
    attach(Chart::LocalCvs, local);
    attach(Chart::LocalCvs,
           bound<QLineSeries>(run, model_.c0, QStringLiteral("c0"), QColor(0x2ca02c)));
}

void ResultsWindow::refresh() {
    const std::initializer_list<const SeriesTable*> tables[] = {
        {&model_.q, &model_.score, &model_.meanQ, &model_.meanScore},
        {&model_.histogram, &model_.density},
        {&model_.localCvs, &model_.c0}};
    for (Chart chart : {Chart::Batch, Chart::Intervals, Chart::LocalCvs}) {
        Panel& panel = panels_[index(chart)];
        QChart* qchart = panel.view->chart();
        const bool empty = model_.empty(chart);
        // An empty chart says what would fill it, with no axes to mislead.
        QString title = panel.title;
        if (chart == Chart::Batch)
            title += QStringLiteral(": %1 runs").arg(model_.data().batchRuns);
        qchart->setTitle(empty ? model_.emptyText(chart) : title);
        panel.x->setVisible(!empty);
        panel.y->setVisible(!empty);
        qchart->legend()->setVisible(!empty);
        if (empty) continue;
        const auto [low, high] = rangeOf(tables[index(chart)]);
        // Intervals, times and counts start at 0, never below.
        const bool fromZero = chart != Chart::Batch;
        panel.x->setRange(fromZero ? std::max(0.0, low.x()) : low.x(), high.x());
        panel.y->setRange(chart == Chart::Intervals ? 0.0 : low.y(), high.y());
        panel.x->applyNiceNumbers();
        panel.y->applyNiceNumbers();
    }
}

void ResultsWindow::askAndSave(Chart chart) {
    const QString path = dialogs_.askSaveFileName(this, QString::fromUtf8(kDefaultImage));
    if (path.isEmpty()) return;
    saveImage(chart, path);
}

bool ResultsWindow::saveImage(Chart chart, const QString& path) {
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
