#include "ui/results/results_window.hpp"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>
#include <utility>

#include "base/errors.hpp"
#include "ui/dialogs/dialogs.hpp"
#include "ui/results/nice_axis.hpp"
#include "ui/results/verify_row.hpp"
#include "ui/results/widget_image.hpp"
#include "ui/window/ui_text.hpp"

namespace mirvok::ui {
namespace {

const char* const kDefaultImage = "chart.png";
constexpr int kTicks = 5;

// The room a chart's title leaves at its sides.
constexpr int kTitleMargin = 60;

// The words of `text` in lines at most `width` pixels wide (a word wider
// than that alone on its line).
QStringList wrappedLines(const QString& text, const QFontMetrics& metrics, int width) {
    QStringList lines;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '))) {
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
            lines << line;
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.isEmpty()) lines << line;
    return lines;
}

constexpr ResultsModel::Series kAllSeries[] = {
    ResultsModel::Series::Q,         ResultsModel::Series::Score,
    ResultsModel::Series::MeanQ,     ResultsModel::Series::MeanScore,
    ResultsModel::Series::Histogram, ResultsModel::Series::Expected,
    ResultsModel::Series::LocalCvs,  ResultsModel::Series::C0};

}  // namespace

ResultsWindow::ResultsWindow(const ResultsModel& model, Dialogs& dialogs, QWidget* parent,
                             OpenSweep sweepOpener)
    : QWidget(parent, Qt::Window),
      model_(model),
      dialogs_(dialogs),
      openSweep_(std::move(sweepOpener)) {
    setObjectName(QStringLiteral("ResultsWindow"));
    setWindowTitle(QStringLiteral("Mirvok results"));
    auto* column = new QVBoxLayout(this);
    progress_ = new QLabel(this);
    progress_->setObjectName(QStringLiteral("BatchProgress"));
    // Its line is kept while it is hidden, so that nothing below moves when
    // a batch's progress first shows.
    QSizePolicy keepLine = progress_->sizePolicy();
    keepLine.setRetainSizeWhenHidden(true);
    progress_->setSizePolicy(keepLine);
    progress_->hide();
    column->addWidget(progress_);
    // One row of tools over the charts: Verify... with what it says, and
    // Open sweep... at the right.
    auto* top = new QHBoxLayout;
    verify_ = new VerifyRow(dialogs_, this);
    top->addWidget(verify_, 1);
    auto* openSweep = new QPushButton(QStringLiteral("Open sweep..."));
    connect(openSweep, &QPushButton::clicked, this, [this] {
        const QString folder = dialogs_.askFolder(this, QString());
        if (!folder.isEmpty()) this->openSweep(folder);
    });
    openSweepButton_ = openSweep;
    top->addWidget(openSweep, 0, Qt::AlignRight);
    column->addLayout(top);
    if (!openSweep_) openSweep->hide();
    column->addWidget(makePanel(Chart::Batch, QStringLiteral("Last batch"),
                                QStringLiteral("input CV"), QStringLiteral("q, score")));
    column->addWidget(makePanel(Chart::Intervals, QStringLiteral("Input train"),
                                QStringLiteral("intervals (ms)"), QStringLiteral("count")));
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
    // Tick labels as the window writes numbers: its decimal separator, no
    // grouping of thousands.
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    qchart->setLocale(locale);
    qchart->setLocalizeNumbers(true);
    qchart->legend()->setAlignment(Qt::AlignRight);
    // A line's legend entry is a piece of the line, dashes and all, and a
    // point series' its point, so that a mean is told from its points.
    qchart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    panel.view = new QChartView(qchart);
    panel.view->setRenderHint(QPainter::Antialiasing);
    // The whole chart is painted at each change: the edges of antialiased
    // points reach past the parts Qt Charts marks for repainting, and an
    // update of those parts only would leave faint traces of earlier points.
    panel.view->setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    panel.view->setMinimumHeight(240);
    panel.x = new QValueAxis(qchart);
    panel.x->setTitleText(xTitle);
    panel.x->setTickCount(kTicks);
    panel.y = new QValueAxis(qchart);
    panel.y->setTitleText(yTitle);
    panel.y->setTickCount(kTicks);
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

void ResultsWindow::showOnly(Chart chart, const QString& title) {
    for (Chart c : {Chart::Batch, Chart::Intervals, Chart::LocalCvs})
        panels_[index(c)].view->parentWidget()->setVisible(c == chart);
    openSweepButton_->hide();
    panels_[index(chart)].title = title;
    setWindowTitle(title);
    resize(760, 380);
    refresh(chart);
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
                              const QColor& colour, QAbstractSeries* shownAs) {
    const Panel& panel = panels_[index(ResultsModel::chartOf(which))];
    QAbstractSeries* shown = shownAs ? shownAs : made;
    shown->setName(name);
    made->setColor(colour);
    panel.view->chart()->addSeries(shown);
    shown->attachAxis(panel.x);
    shown->attachAxis(panel.y);
    // Points with no line show their point in the legend, not an empty line.
    if (made->pen().style() == Qt::NoPen)
        for (QLegendMarker* marker : panel.view->chart()->legend()->markers(shown))
            marker->setShape(QLegend::MarkerShapeCircle);
    series_[index(which)] = made;
}

void ResultsWindow::makeSeries() {
    const QColor blue(0x1f77b4), red(0xd62728), grey(0x404040), green(0x2ca02c);
    const QColor navy(0x0b3c61), maroon(0x7a1213);
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
    // The means are dashed lines in darker shades of their points' colours.
    const auto dashed = [](const QColor& colour) {
        auto* made = new QLineSeries;
        made->setPen(QPen(colour, 2, Qt::DashLine));
        return made;
    };
    addSeries(Series::MeanQ, dashed(navy), QStringLiteral("mean q"), navy);
    addSeries(Series::MeanScore, dashed(maroon), QStringLiteral("mean score"), maroon);
    // The bins are filled, so that the expected steps over them stay in sight.
    auto* outline = new QLineSeries;
    auto* bars = new QAreaSeries(outline);
    outline->setParent(bars);  // the area does not own its line
    bars->setBrush(QColor(0xc8c8c8));
    bars->setPen(QPen(grey, 1));
    addSeries(Series::Histogram, outline, QStringLiteral("intervals"), grey, bars);
    addSeries(Series::Expected, new QLineSeries, QStringLiteral("expected (gamma)"), red);
    addSeries(Series::LocalCvs, dots(6), QStringLiteral("local CV"), blue);
    addSeries(Series::C0, new QLineSeries, QStringLiteral("c0"), green);
}

void ResultsWindow::refresh(Chart chart) {
    for (Series s : kAllSeries) {
        if (ResultsModel::chartOf(s) != chart) continue;
        if (handed_[index(s)] == model_.revision(s)) continue;
        series_[index(s)]->replace(model_.points(s));
        handed_[index(s)] = model_.revision(s);
    }
    Panel& panel = panels_[index(chart)];
    QChart* qchart = panel.view->chart();
    const bool empty = model_.empty(chart);
    // An empty chart says what would fill it, with no axes to mislead.
    qchart->setTitle(empty ? model_.emptyText(chart) : titleOf(chart));
    panel.x->setVisible(!empty);
    panel.y->setVisible(!empty);
    qchart->legend()->setVisible(!empty);
    // A line not drawn has no entry in the legend.
    for (Series s : kAllSeries)
        if (ResultsModel::chartOf(s) == chart)
            for (QLegendMarker* marker : qchart->legend()->markers(series_[index(s)]))
                marker->setVisible(!model_.points(s).empty());
    if (empty) return;
    const ResultsModel::Axes axes = model_.axes(chart);
    fitAxis(*panel.x, axes.x);
    fitAxis(*panel.y, axes.y);
}

QString ResultsWindow::titleOf(Chart chart) const {
    const ResultsData& results = model_.data();
    const QString& title = panels_[index(chart)].title;
    switch (chart) {
        case Chart::Batch:
            return title + QStringLiteral(": %1 runs").arg(results.batchRuns);
        case Chart::Intervals: {
            // Where and why reading the train's file stopped, under the
            // title, in lines as wide as the chart.
            if (results.trainNote.empty()) return title;
            QFont small = view(chart)->chart()->titleFont();
            small.setPointSizeF(small.pointSizeF() * 0.8);
            const QStringList lines =
                wrappedLines(toQt(results.trainNote), QFontMetrics(small),
                             std::max(200, view(chart)->width() - kTitleMargin));
            QString html = QStringLiteral("<p align=\"center\">") + title.toHtmlEscaped();
            for (const QString& line : lines)
                html += QStringLiteral("<br><small>%1</small>").arg(line.toHtmlEscaped());
            return html + QStringLiteral("</p>");
        }
        case Chart::LocalCvs:
            return title + QStringLiteral(": %1 windows").arg(results.localWindows);
    }
    return title;
}

void ResultsWindow::askAndSave(Chart chart) {
    const QString path = dialogs_.askSaveFileName(this, QString::fromUtf8(kDefaultImage));
    if (path.isEmpty()) return;
    saveImage(chart, path);
}

bool ResultsWindow::saveImage(Chart chart, const QString& path) {
    // A hidden window's chart may be behind the model: the image is not.
    refresh(chart);
    try {
        saveWidgetImage(*view(chart), path, panels_[index(chart)].title);
        return true;
    } catch (const FileError& e) {
        dialogs_.showMessage(this, toQt(e.what()));
        return false;
    }
}

}  // namespace mirvok::ui
