// The display's coordinates, texts and colours, computed without a window.
#include "ui/display/display_scene.hpp"

#include <QtTest>
#include <algorithm>

#include "base/errors.hpp"

using namespace mirvok;
using namespace mirvok::ui;

namespace {

SimState emptyRun(int nsteps) {
    SimState s;
    s.Nsteps = nsteps;
    s.V1trace.assign(static_cast<size_t>(nsteps), 0.0);
    s.V2trace.assign(static_cast<size_t>(nsteps), 0.0);
    s.inTrain.assign(static_cast<size_t>(nsteps), 0);
    s.outTrain.assign(static_cast<size_t>(nsteps), 0);
    return s;
}

bool hasLine(const AreaDrawing& area, VLine line) {
    return std::find(area.lines.begin(), area.lines.end(), line) != area.lines.end();
}

int linesOfColour(const AreaDrawing& area, Rgb colour) {
    return static_cast<int>(std::count_if(area.lines.begin(), area.lines.end(),
                                          [&](const VLine& l) { return l.colour == colour; }));
}

}  // namespace

class DisplaySceneTest : public QObject {
    Q_OBJECT

  private slots:
    void axis_labels_follow_the_time_box_data() {
        QTest::addColumn<QString>("time");
        QTest::addColumn<char>("sep");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("default") << "1000" << '.'
                                 << QStringList{"0 ms", "250 ms", "500 ms", "750 ms", "1000 ms"};
        QTest::newRow("quarter") << "333" << '.'
                                 << QStringList{"0 ms", "83.25 ms", "166.5 ms", "249.75 ms",
                                                "333 ms"};
        QTest::newRow("comma") << "333" << ','
                               << QStringList{"0 ms", "83,25 ms", "166,5 ms", "249,75 ms",
                                              "333 ms"};
        QTest::newRow("real time")
            << "1,5" << ',' << QStringList{"0 ms", "0,375 ms", "0,75 ms", "1,125 ms", "1,5 ms"};
    }
    void axis_labels_follow_the_time_box() {
        QFETCH(QString, time);
        QFETCH(char, sep);
        QFETCH(QStringList, labels);
        const auto got = axisLabels(time.toStdString(), sep);
        for (int i = 0; i < 5; ++i) QCOMPARE(QString::fromStdString(got[i]), labels[i]);
    }

    void bad_time_box_draws_nothing() {
        SimState s = emptyRun(10);
        DisplayInputs in;
        in.timeText = "abc";
        QVERIFY_THROWS_EXCEPTION(EConvertError, buildDisplayScene(s, in));
    }

    void start_panels_bars_and_boxes() {
        SimState s = emptyRun(2000);
        const DisplayScene scene = buildDisplayScene(s, DisplayInputs{});
        const std::vector<std::pair<int, std::string>> panels = {
            {2, "st: 0"},      {5, "s: 0"},       {6, "f: 0"},
            {7, "c: 0.00000"}, {8, "q: 0.00000"}, {9, "i: 0"}};
        QVERIFY(scene.panels == panels);
        QCOMPARE(scene.pbV1, 0);
        QCOMPARE(scene.pbV2, 0);
        QCOMPARE(scene.v1Act, std::string("0.00000"));
        QCOMPARE(scene.vdiff, std::string("0.00000"));
        QVERIFY(!scene.vdiffMatch);
    }

    void panels_bars_and_match_after_a_run() {
        SimState s = emptyRun(2000);
        s.curStep = 1234;
        s.inSpikeSteps = {1, 2, 3};
        s.outSpikeSteps = {2};
        DisplayInputs in;
        in.results.isiCV = 0.123456;
        in.results.transmissionRatio = 1.0 / 3.0;
        in.segmentBounds = 7;
        s.V1 = 0.999;
        s.V2 = -0.2;
        s.dV = 0.001;
        s.matchFlag = true;
        const DisplayScene scene = buildDisplayScene(s, in);
        QCOMPARE(scene.panels[0].second, std::string("st: 1234"));
        QCOMPARE(scene.panels[1].second, std::string("s: 3"));
        QCOMPARE(scene.panels[2].second, std::string("f: 1"));
        QCOMPARE(scene.panels[3].second, std::string("c: 0.12346"));
        QCOMPARE(scene.panels[4].second, std::string("q: 0.33333"));
        QCOMPARE(scene.panels[5].second, std::string("i: 6"));
        QCOMPARE(scene.pbV1, 99);
        QCOMPARE(scene.pbV2, 0);  // a bar cannot show a negative volume
        QVERIFY(scene.vdiffMatch);
    }

    void columns_and_rows_of_the_scales_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("isStep");
        QTest::newRow("step 1") << 1.0 << 0 << true;
        QTest::newRow("step 3") << 3.0 << 1 << true;
        QTest::newRow("step 1999") << 1999.0 << 696 << true;
        QTest::newRow("volume 0") << 0.0 << 152 << false;
        QTest::newRow("volume 0.5") << 0.5 << 76 << false;
        QTest::newRow("volume 0.99") << 0.99 << 2 << false;
        QTest::newRow("volume 1") << 1.0 << 0 << false;
    }
    void columns_and_rows_of_the_scales() {
        QFETCH(double, value);
        QFETCH(int, expected);
        QFETCH(bool, isStep);
        if (isStep)
            QCOMPARE(stepColumn(value, 2000.0 / 697.0), expected);
        else
            QCOMPARE(volumeRow(value, 153), expected);
    }

    void rasters_cursors_and_ign_line() {
        SimState s = emptyRun(2000);
        s.curStep = 0;
        s.inSpikeSteps = {3, 1999, 5000, -7};
        s.outSpikeSteps = {3};
        DisplayInputs in;
        const DisplayScene scene = buildDisplayScene(s, in);
        QVERIFY(scene.inImage.baseline && scene.outImage.baseline);
        QVERIFY(!scene.plotter.baseline);
        QVERIFY(hasLine(scene.inImage, {1, 0, 16, kBlack}));
        QVERIFY(hasLine(scene.inImage, {696, 0, 16, kBlack}));
        QCOMPARE(linesOfColour(scene.outImage, kBlack), 1 + 70);  // one spike, 70 ticks
        // Ticks: every 10 pixels, two rows high, four at multiples of 100.
        QVERIFY(hasLine(scene.outImage, {10, 15, 16, kBlack}));
        QVERIFY(hasLine(scene.outImage, {100, 13, 16, kBlack}));
        // Cursor at column 0 in both rasters; the green ign line covers the red one.
        const auto& inLines = scene.inImage.lines;
        QVERIFY(inLines[inLines.size() - 2] == (VLine{0, 0, 16, kRed}));
        QVERIFY(inLines.back() == (VLine{0, 0, 16, kGreen}));
        QVERIFY(scene.outImage.lines.back() == (VLine{0, 0, 16, kRed}));
        // No trace at step 0: each polyline is only its starting corner.
        QCOMPARE(scene.plotter.polylines.size(), size_t(2));
        QCOMPARE(scene.plotter.polylines[0].colour, kRed);
        QCOMPARE(scene.plotter.polylines[1].colour, kBlue);
        QCOMPARE(scene.plotter.polylines[1].points.size(), size_t(1));
    }

    void bad_ign_leaves_the_output_cursor_bars_and_panels_undone() {
        SimState s = emptyRun(2000);
        DisplayInputs in;
        in.ignText = "x";
        const DisplayScene scene = buildDisplayScene(s, in);
        QVERIFY(scene.failure);
        QVERIFY_THROWS_EXCEPTION(EConvertError, std::rethrow_exception(scene.failure));
        QCOMPARE(linesOfColour(scene.inImage, kRed), 1);
        QCOMPARE(linesOfColour(scene.inImage, kGreen), 0);
        QCOMPARE(linesOfColour(scene.outImage, kRed), 0);
        QVERIFY(scene.panels.empty());
    }

    void nothing_to_draw_without_steps_or_width_data() {
        QTest::addColumn<int>("nsteps");
        QTest::addColumn<int>("width");
        QTest::newRow("no steps") << 0 << 697;
        QTest::newRow("no width") << 2000 << 0;
    }
    void nothing_to_draw_without_steps_or_width() {
        QFETCH(int, nsteps);
        QFETCH(int, width);
        SimState s = emptyRun(nsteps);
        s.inSpikeSteps = {0, 1};
        DisplayInputs in;
        in.inImage.width = width;
        const DisplayScene scene = buildDisplayScene(s, in);
        QVERIFY(scene.plotter.polylines.empty());
        QCOMPARE(linesOfColour(scene.inImage, kRed) + linesOfColour(scene.inImage, kGreen), 0);
        QCOMPARE(linesOfColour(scene.outImage, kRed), 0);
        QCOMPARE(scene.panels.size(), size_t(6));
    }

    void rasters_of_sorted_and_file_ordered_trains_agree() {
        SimState sorted = emptyRun(100000);
        for (int k = -50; k < 101000; k += 37) sorted.inSpikeSteps.push_back(k);
        for (size_t i = 0; i < sorted.inSpikeSteps.size(); i += 3) {
            const int step = sorted.inSpikeSteps[i];
            if (step >= 0 && step < 100000) sorted.outTrain[static_cast<size_t>(step)] = 1;
        }
        sorted.spikeVari.assign(sorted.inSpikeSteps.size(), 0.5);
        SimState shuffled = sorted;
        std::reverse(shuffled.inSpikeSteps.begin(), shuffled.inSpikeSteps.end());
        const DisplayScene a = buildDisplayScene(sorted, DisplayInputs{});
        const DisplayScene b = buildDisplayScene(shuffled, DisplayInputs{});
        // The same lines; the order of black lines does not change the picture.
        const auto byColumn = [](std::vector<VLine> lines) {
            std::sort(lines.begin(), lines.end(), [](const VLine& l, const VLine& r) {
                return std::tie(l.x, l.top, l.colour) < std::tie(r.x, r.top, r.colour);
            });
            return lines;
        };
        QVERIFY(byColumn(a.inImage.lines) == byColumn(b.inImage.lines));
        QCOMPARE(linesOfColour(a.inImage, kBlack), 697 + 70);  // every column, and the ticks
        QVERIFY(a.variImage.texts == b.variImage.texts);
        QVERIFY(a.variImage.texts.size() > 20);
    }

    // At the defaults a label is due every few columns; each one drawn
    // starts clear of the one before, at any digit width.
    void no_two_local_cv_labels_overlap() {
        SimState s = emptyRun(2000);
        for (int k = 1; k < 2000; k += 40) {
            s.inSpikeSteps.push_back(k);
            s.outTrain[static_cast<size_t>(k)] = 1;
        }
        s.spikeVari.assign(s.inSpikeSteps.size(), 0.123);
        for (int digitWidth : {5, 6, 9}) {
            DisplayInputs in;
            in.digitWidth = digitWidth;
            const std::vector<TextAt> texts = buildDisplayScene(s, in).variImage.texts;
            QVERIFY(texts.size() > 5);
            for (size_t i = 1; i < texts.size(); ++i)
                QVERIFY(texts[i].x >=
                        texts[i - 1].x + static_cast<int>(texts[i - 1].text.size()) * digitWidth);
        }
    }

    void column_starts_follow_the_scale() {
        for (double spp : {2000.0 / 697, 0.3, 1.0, 10000000.0 / 697}) {
            const std::vector<long long> starts = columnStarts(spp, 697);
            QCOMPARE(starts.front(), 0LL);
            for (int c = 1; c <= 697; ++c) {
                QVERIFY(stepColumn(static_cast<double>(starts[c]), spp) >= c);
                QVERIFY(stepColumn(static_cast<double>(starts[c] - 1), spp) < c);
            }
        }
    }

    void local_cv_labels_mark_input_spikes_with_an_output_spike() {
        SimState s = emptyRun(2000);
        s.inSpikeSteps = {100, 200, 300, 400};
        s.outTrain[200] = 1;  // also a flag left by an earlier run counts
        s.outTrain[400] = 1;
        s.spikeVari = {0.5, 0.25, 0.75};  // no entry for the fourth spike
        const DisplayScene scene = buildDisplayScene(s, DisplayInputs{});
        QCOMPARE(scene.variImage.texts.size(), size_t(1));
        QCOMPARE(scene.variImage.texts[0], (TextAt{stepColumn(200, 2000.0 / 697) - 5, 2, "0.25"}));
    }
};

QTEST_APPLESS_MAIN(DisplaySceneTest)
#include "display_scene_test.moc"
