// What the redraw puts on the window: pixels of the image areas, the labels,
// bars, value boxes and panels, and the colour of Vdiff; mostly on the
// painter alone, over a state the core's run made.
#include "ui/display/display_painter.hpp"

#include <QLabel>
#include <QtTest>

#include "analysis/analysis.hpp"
#include "model/instant_run.hpp"
#include "ui/display/trace_columns.hpp"
#include "ui/window/image_area.hpp"
#include "values/batch_setup.hpp"
#include "window_fixture.hpp"

using namespace mirvok;
using namespace mirvok::ui;

namespace {

QRgb pixel(const ImageArea* area, int x, int y) {
    return area->image().toImage().pixel(x, y) & 0xFFFFFF;
}

bool columnIs(const ImageArea* area, int x, QRgb colour) {
    for (int y = 0; y < area->height(); ++y)
        if (pixel(area, x, y) != colour) return false;
    return true;
}

QColor vdiffBase(const Controls& c) {
    return c.ui.Vdiff->palette().color(QPalette::Disabled, QPalette::Base);
}

// The painter over the layout's controls, with the state as the window
// starts (Nsteps from the default run length) and columns of its own.
struct Painter : RunHooks {
    Controls c;
    TracesColumns columns;
    SimState state;
    WindowState window;
    BatchSetup setup;
    SetupValues values{setup};

    Painter() { state.Nsteps = 2000; }
    void paint() { paintDisplays(state, window, c.ui, c.status, columns); }

    // The core's instant run over a train with a spike every `every` steps,
    // recording every step as run control has it done.
    void run(int ms, int every) {
        loadRegularTrain(state, c.ui.TimeEdit, ms, every);
        setup.reset.time = ms;
        runInstant(state, values, *this);
    }
    void afterUpdate() override { recordTraceStep(state, c.ui, columns); }
    void stopRun() override { analyseRun(state, values, window.results); }
};

}  // namespace

class DisplayPainterTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void start_display_replaces_the_layout_values() {
        Painter p;
        p.paint();
        const FormControls& u = p.c.ui;
        const QStringList labels = {u.Nsteps0Text->text(), u.Nsteps1Text->text(),
                                    u.Nsteps2Text->text(), u.Nsteps3Text->text(),
                                    u.Nsteps4Text->text()};
        QCOMPARE(labels, (QStringList{"0 ms", "250 ms", "500 ms", "750 ms", "1000 ms"}));
        QCOMPARE(u.pbV1->value(), 0);
        QCOMPARE(u.pbV2->value(), 0);
        QCOMPARE(u.V1_act->text(), QString("0.00000"));
        QCOMPARE(p.c.status.text(9), QString("i: 0"));
        // Rasters: white with a black bottom row; both cursors at column 0,
        // the green ign line over the red cursor of the input raster.
        QCOMPARE(pixel(u.InImage, 5, 16), 0x000000u);
        QCOMPARE(pixel(u.InImage, 5, 3), 0xFFFFFFu);
        QVERIFY(columnIs(u.InImage, 0, 0x008000));
        QVERIFY(columnIs(u.OutImage, 0, 0xFF0000));
        QCOMPARE(pixel(u.Plotter, 300, 100), 0xFFFFFFu);
    }

    void spikes_traces_and_cursor_after_a_run() {
        Painter p;
        p.run(1000, 40);
        p.paint();
        const FormControls& u = p.c.ui;
        QVERIFY(columnIs(u.InImage, stepColumn(41, 2000.0 / 697), 0x000000));
        const int firstOut = stepColumn(p.state.outSpikeSteps.at(0), 2000.0 / 697);
        QVERIFY(columnIs(u.OutImage, firstOut, 0x000000));
        // The V1 trace lies over the V2 trace: a blue pixel at step 1's point.
        QCOMPARE(pixel(u.Plotter, 0, volumeRow(p.state.V1trace[1], 153)), 0x0000FFu);
        QCOMPARE(pixel(u.Plotter, 0, volumeRow(p.state.V2trace[1], 153)), 0xFF0000u);
        QCOMPARE(u.pbV1->value(), static_cast<int>(100 * p.state.V1));
        QCOMPARE(p.c.status.text(6), QString("f: %1").arg(p.state.outSpikeSteps.size()));
    }

    void local_cvs_fill_the_list_and_label_the_spikes() {
        Window w;
        w.loadRegularTrain(1000, 40);
        // Alternate intervals of 30 and 50 steps: local CVs near 0.26.
        w.state.inSpikeSteps.clear();
        std::fill(w.state.inTrain.begin(), w.state.inTrain.end(), 0);
        for (int k = 1, i = 0; k < 2000; k += (i++ % 2) ? 50 : 30) {
            w.state.inSpikeSteps.push_back(k);
            w.state.inTrain[static_cast<size_t>(k)] = 1;
        }
        w.ui().DoTest->click();
        const QStringList lines = listLines(w.ui().VariBox);
        QVERIFY(!lines.isEmpty());
        QCOMPARE(lines.front(), QString("6.: 0.25784"));
        QVERIFY(!w.state.outSpikeSteps.empty());
        // Some label was written onto the white strip.
        const QImage vari = w.ui().VariImage->image().toImage();
        bool dark = false;
        for (int x = 0; x < vari.width() && !dark; ++x)
            for (int y = 0; y < vari.height(); ++y)
                if (qGray(vari.pixel(x, y)) < 128) dark = true;
        QVERIFY(dark);
    }

    // A dense run's rasters, drawn a line per column, black exactly the
    // columns that every spike's own line would.
    void dense_rasters_have_the_pixels_of_every_spike_line() {
        Painter p;
        p.run(30000, 3);  // about 29 spikes per column
        p.paint();
        const double spp = 60000.0 / 697;
        for (const auto& [area, steps] : {std::pair{p.c.ui.InImage, p.state.inSpikeSteps},
                                          std::pair{p.c.ui.OutImage, p.state.outSpikeSteps}}) {
            std::vector<bool> spiked(697, false);
            for (int k : steps) spiked[static_cast<size_t>(stepColumn(k, spp))] = true;
            for (int x = 1; x < 697; ++x)  // column 0 holds the ign line
                QCOMPARE(columnIs(area, x, 0x000000u), bool(spiked[static_cast<size_t>(x)]));
        }
    }

    void traces_recorded_while_stepping_draw_as_a_fresh_scan_would() {
        Painter p;
        p.run(30000, 37);
        p.paint();
        const QImage recorded = p.c.ui.Plotter->image().toImage();
        const TracesColumns fresh;
        paintDisplays(p.state, p.window, p.c.ui, p.c.status, fresh);
        QCOMPARE(p.c.ui.Plotter->image().toImage(), recorded);

        // A watched run, paused part-way: the columns recorded step by step.
        p.run(300, 37);
        resetSimulation(p.state, p.values);
        while (p.state.curStep <= 50) stepSimulation(p.state, p.values, p);
        QVERIFY(p.columns.v1.describes(p.state.V1trace, p.state.curStep, 600.0 / 697));
        p.paint();
        const QImage paused = p.c.ui.Plotter->image().toImage();
        paintDisplays(p.state, p.window, p.c.ui, p.c.status, fresh);
        QCOMPARE(p.c.ui.Plotter->image().toImage(), paused);
    }

    void vdiff_turns_aqua_on_a_match_and_back() {
        Painter p;
        p.paint();
        const QColor normal = vdiffBase(p.c);
        p.state.matchFlag = true;
        p.state.dV = 0.001;
        p.paint();
        QCOMPARE(vdiffBase(p.c), QColor(0x00, 0xFF, 0xFF));
        QCOMPARE(p.c.ui.Vdiff->text(), QString("0.00100"));
        p.state.matchFlag = false;
        p.paint();
        QCOMPARE(vdiffBase(p.c), normal);
    }

    void bad_ign_is_reported_and_keeps_the_boxes() {
        Window w;
        w.loadRegularTrain(1000, 40);
        w.ui().ign->setText("first");
        w.ui().DoTest->click();
        // The analysis reads ign first; its error ends the run's stopRun,
        // before the redraw, and leaves the window usable.
        QCOMPARE(w.dialogs.messages, QStringList{"'first' is not a valid integer value"});
        QCOMPARE(w.form.StatusBar().text(2), QString("st: 0"));
        QVERIFY(w.ui().SimulateButton->isEnabled());
    }

    void runaway_volumes_are_drawn_without_failing() {
        Painter p;
        p.setup.rates.d1 = -1e100;
        p.run(100, 2);
        QCOMPARE(p.state.curStep, 200);
        p.paint();
    }
};

QTEST_MAIN(DisplayPainterTest)
#include "display_painter_test.moc"
