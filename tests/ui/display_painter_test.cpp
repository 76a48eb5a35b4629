// What redrawDisplays puts on the window: pixels of the image areas, the
// labels, bars, value boxes and panels, and the colour of Vdiff.
#include <QLabel>
#include <QtTest>

#include "ui/image_area.hpp"
#include "ui/trace_columns.hpp"
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

QColor vdiffBase(Window& w) {
    return w.ui().Vdiff->palette().color(QPalette::Disabled, QPalette::Base);
}

}  // namespace

class DisplayPainterTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void start_display_replaces_the_layout_values() {
        Window w;
        const FormControls& u = w.ui();
        const QStringList labels = {u.Nsteps0Text->text(), u.Nsteps1Text->text(),
                                    u.Nsteps2Text->text(), u.Nsteps3Text->text(),
                                    u.Nsteps4Text->text()};
        QCOMPARE(labels, (QStringList{"0 ms", "250 ms", "500 ms", "750 ms", "1000 ms"}));
        QCOMPARE(u.pbV1->value(), 0);
        QCOMPARE(u.pbV2->value(), 0);
        QCOMPARE(u.V1_act->text(), QString("0.00000"));
        QCOMPARE(w.form.StatusBar().text(9), QString("i: -1"));
        // Rasters: white with a black bottom row; both cursors at column 0,
        // the green ign line over the red cursor of the input raster.
        QCOMPARE(pixel(u.InImage, 5, 16), 0x000000u);
        QCOMPARE(pixel(u.InImage, 5, 3), 0xFFFFFFu);
        QVERIFY(columnIs(u.InImage, 0, 0x008000));
        QVERIFY(columnIs(u.OutImage, 0, 0xFF0000));
        QCOMPARE(pixel(u.Plotter, 300, 100), 0xFFFFFFu);
    }

    void spikes_traces_and_cursor_after_a_run() {
        Window w;
        w.loadRegularTrain(1000, 40);
        w.ui().DoTest->click();
        const FormControls& u = w.ui();
        QVERIFY(columnIs(u.InImage, stepColumn(41, 2000.0 / 697), 0x000000));
        const int firstOut = stepColumn(w.state.outSpikeSteps.at(0), 2000.0 / 697);
        QVERIFY(columnIs(u.OutImage, firstOut, 0x000000));
        // The V1 trace lies over the V2 trace: a blue pixel at step 1's point.
        QCOMPARE(pixel(u.Plotter, 0, volumeRow(w.state.V1trace[1], 153)), 0x0000FFu);
        QCOMPARE(pixel(u.Plotter, 0, volumeRow(w.state.V2trace[1], 153)), 0xFF0000u);
        QCOMPARE(u.pbV1->value(), static_cast<int>(100 * w.state.V1));
        QCOMPARE(w.form.StatusBar().text(6), QString("f: %1").arg(w.state.outSpikeSteps.size()));
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
        QVERIFY(w.ui().VariBox->count() > 0);
        QCOMPARE(w.ui().VariBox->item(0)->text(), QString("6.: 0.25784"));
        QVERIFY(!w.state.outSpikeSteps.empty());
        // Some label was written onto the white strip.
        const QImage vari = w.ui().VariImage->image().toImage();
        bool dark = false;
        for (int x = 0; x < vari.width() && !dark; ++x)
            for (int y = 0; y < vari.height(); ++y)
                if (qGray(vari.pixel(x, y)) < 128) dark = true;
        QVERIFY(dark);
    }

    void traces_recorded_while_stepping_draw_as_a_fresh_scan_would() {
        Window w;
        w.loadRegularTrain(30000, 37);
        w.ui().DoTest->click();
        const QImage afterCount = w.ui().Plotter->image().toImage();
        w.form.traceColumns().v1.invalidate();
        w.form.traceColumns().v2.invalidate();
        w.form.redrawDisplays();
        QCOMPARE(w.ui().Plotter->image().toImage(), afterCount);

        // A watched run, paused part-way: the columns recorded tick by tick.
        w.ui().TimeEdit->setText("300");
        w.ui().SimulateButton->click();
        QTRY_VERIFY(w.state.curStep > 50);
        w.ui().PauseButton->click();
        QVERIFY(w.form.traceColumns().v1.describes(w.state.V1trace, w.state.curStep, 600.0 / 697));
        const QImage paused = w.ui().Plotter->image().toImage();
        w.form.traceColumns().v1.invalidate();
        w.form.traceColumns().v2.invalidate();
        w.form.redrawDisplays();
        QCOMPARE(w.ui().Plotter->image().toImage(), paused);
        w.ui().StopButton->click();
    }

    void vdiff_turns_aqua_on_a_match_and_back() {
        Window w;
        const QColor normal = vdiffBase(w);
        w.state.matchFlag = true;
        w.state.dV = 0.001;
        w.form.redrawDisplays();
        QCOMPARE(vdiffBase(w), QColor(0x00, 0xFF, 0xFF));
        QCOMPARE(w.ui().Vdiff->text(), QString("0.00100"));
        w.state.matchFlag = false;
        w.form.redrawDisplays();
        QCOMPARE(vdiffBase(w), normal);
    }

    void bad_ign_is_reported_and_keeps_the_boxes() {
        Window w;
        w.loadRegularTrain(1000, 40);
        w.ui().ign->setText("first");
        w.ui().DoTest->click();
        // The analysis reads ign first; its error ends the run's stopRun.
        QCOMPARE(w.dialogs.messages, QStringList{"'first' is not a valid integer value"});
        QCOMPARE(w.form.StatusBar().text(2), QString("st: 0"));
        QVERIFY(!w.ui().SimulateButton->isEnabled());
    }

    void runaway_volumes_are_drawn_without_failing() {
        Window w;
        w.loadRegularTrain(100, 2);
        w.ui().delta1->setText("-1e100");
        w.ui().DoTest->click();
        QVERIFY(w.dialogs.messages.isEmpty());
        QCOMPARE(w.state.curStep, 200);
    }
};

QTEST_MAIN(DisplayPainterTest)
#include "display_painter_test.moc"
