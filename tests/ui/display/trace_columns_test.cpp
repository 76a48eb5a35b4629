// The reduced volume trace draws the same pixels as the full one.
#include "ui/display/trace_columns.hpp"

#include <QImage>
#include <QPainter>
#include <QtTest>
#include <random>

using namespace mirvok::ui;

namespace {

QImage blank(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Every step's point joined to the next, as a plain redraw would.
QImage drawFull(const std::vector<double>& trace, int curStep, double spp, int w, int h) {
    QImage image = blank(w, h);
    QPainter p(&image);
    QPoint at(0, h - 1);
    for (int i = 1; i < curStep; ++i) {
        const QPoint next(stepColumn(i, spp), volumeRow(trace[static_cast<size_t>(i)], h));
        p.drawLine(at, next);
        at = next;
    }
    return image;
}

QImage drawReduced(const std::vector<double>& trace, int curStep, double spp, int w, int h) {
    QImage image = blank(w, h);
    QPainter p(&image);
    const std::vector<Point> points = tracePolyline(trace, curStep, spp, h);
    for (size_t i = 1; i < points.size(); ++i)
        p.drawLine(QPoint(points[i - 1].x, points[i - 1].y), QPoint(points[i].x, points[i].y));
    return image;
}

// A volume trace like the model's: refills, drops at random spikes, capped at 1.
std::vector<double> sawtooth(int n, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<double> trace(static_cast<size_t>(n));
    double v = 0.3;
    for (int i = 0; i < n; ++i) {
        trace[static_cast<size_t>(i)] = v;
        v = std::min(1.0, v + 0.0045);
        if (random() % 40 == 0) v *= 0.55;
    }
    return trace;
}

}  // namespace

class TraceColumnsTest : public QObject {
    Q_OBJECT

  private slots:
    void reduced_trace_draws_the_same_pixels_data() {
        QTest::addColumn<int>("nsteps");
        QTest::addColumn<int>("curStep");
        QTest::addColumn<int>("width");
        QTest::newRow("default run") << 2000 << 2000 << 697;
        QTest::newRow("long run") << 200000 << 200000 << 697;
        QTest::newRow("stopped early") << 200000 << 77777 << 697;
        QTest::newRow("fewer steps than pixels") << 300 << 300 << 697;
        QTest::newRow("two steps") << 2 << 2 << 697;
    }
    void reduced_trace_draws_the_same_pixels() {
        QFETCH(int, nsteps);
        QFETCH(int, curStep);
        QFETCH(int, width);
        const int height = 153;
        const std::vector<double> trace = sawtooth(nsteps, 7);
        const double spp = static_cast<double>(nsteps) / width;
        QCOMPARE(drawReduced(trace, curStep, spp, width, height),
                 drawFull(trace, curStep, spp, width, height));
    }

    void at_most_four_points_per_column() {
        const std::vector<double> trace = sawtooth(1000000, 3);
        const std::vector<Point> points = tracePolyline(trace, 1000000, 1000000 / 697.0, 153);
        QVERIFY(points.size() <= 1 + 4 * 697);
        QCOMPARE(points.front(), (Point{0, 152}));
        QCOMPARE(points.back().x, 696);
    }

    void no_points_beyond_the_recorded_steps() {
        const std::vector<double> trace(10, 0.5);
        QCOMPARE(tracePolyline(trace, 0, 1.0, 153).size(), size_t(1));
        QCOMPARE(tracePolyline(trace, 1, 1.0, 153).size(), size_t(1));
        QCOMPARE(tracePolyline(trace, 50, 1.0, 153).size(), size_t(10));  // curStep past the trace
    }

    void columns_recorded_while_stepping_match_a_fresh_scan() {
        const int nsteps = 100000;
        const double spp = nsteps / 697.0;
        std::vector<double> trace = sawtooth(nsteps, 11);
        TraceColumns recorded;
        for (int k = 0; k < 60000; ++k)
            recorded.feed(k, trace[static_cast<size_t>(k)], spp, trace.size());
        QVERIFY(recorded.describes(trace, 60000, spp));
        QVERIFY(columnsPolyline(recorded.columns(), 153) == tracePolyline(trace, 60000, spp, 153));
        // Not for another curStep, another scale, or a trace rewritten since.
        QVERIFY(!recorded.describes(trace, 59999, spp));
        QVERIFY(!recorded.describes(trace, 60000, spp / 2));
        trace[59999] += 0.25;
        QVERIFY(!recorded.describes(trace, 60000, spp));
    }

    void recording_starts_afresh_at_step_0_and_stops_at_a_gap() {
        const std::vector<double> trace = sawtooth(1000, 5);
        TraceColumns recorded;
        for (int k = 0; k < 500; ++k) recorded.feed(k, trace[static_cast<size_t>(k)], 1.0, 1000);
        recorded.feed(0, trace[0], 1.0, 1000);
        QVERIFY(recorded.describes(trace, 1, 1.0));
        QVERIFY(recorded.columns().empty());
        recorded.feed(2, trace[2], 1.0, 1000);  // step 1 was skipped
        QVERIFY(!recorded.describes(trace, 3, 1.0));
        QVERIFY(!recorded.describes(trace, 1, 1.0));
    }

    void rows_of_volumes_outside_the_range_do_not_overflow() {
        QCOMPARE(volumeRow(-1e300, 153), std::numeric_limits<int>::max());
        QCOMPARE(volumeRow(1e300, 153), std::numeric_limits<int>::min());
        QCOMPARE(volumeRow(std::nan(""), 153), std::numeric_limits<int>::min());
        QCOMPARE(stepColumn(1e300, 1.0), -1);
    }
};

QTEST_MAIN(TraceColumnsTest)
#include "trace_columns_test.moc"
