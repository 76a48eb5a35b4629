// Count!, Simulate!, Pause and Stop: the run each makes and the enabled state
// of the buttons, boxes and Timer1 in every run state, reached by clicks.
#include <QtTest>

#include "window_fixture.hpp"

using namespace mirvok;
using namespace mirvok::ui;

namespace {

const QString kRateMessage = "Error: Your inputs are probably not floats.";

// The enabled states of Simulate!, Read..., Save..., epsilon, boundary
// tolerance, Stop, Pause and Timer1, in that order.
QString runState(Window& w) {
    const FormControls& u = w.ui();
    const bool on[] = {u.SimulateButton->isEnabled(), u.ReadButton->isEnabled(),
                       u.SaveButton->isEnabled(),     u.MaxDiff->isEnabled(),
                       u.ZeroDiff->isEnabled(),       u.StopButton->isEnabled(),
                       u.PauseButton->isEnabled(),    w.form.Timer1().isActive()};
    QString s;
    for (bool b : on) s += b ? '1' : '0';
    return s;
}

bool neverDisabledAreEnabled(Window& w) {
    const FormControls& u = w.ui();
    return u.DoTest->isEnabled() && u.GammaButton->isEnabled() && u.All->isEnabled() &&
           u.ReadMultipleButton->isEnabled() && u.newints->isEnabled();
}

const QString kIdle = "11111000";
const QString kContinuous = "00000111";
const QString kPaused = "00100110";

}  // namespace

class RunControlTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void count_runs_every_step_and_returns_to_idle() {
        Window w;
        w.loadRegularTrain(1000, 40);
        QCOMPARE(runState(w), kIdle);
        w.ui().GraphicTrace->setChecked(true);
        w.ui().DoTest->click();
        QCOMPARE(w.state.curStep, 2000);
        QCOMPARE(runState(w), kIdle);
        QVERIFY(!w.ui().GraphicTrace->isChecked());
        QVERIFY(!w.state.outSpikeSteps.empty());
        QVERIFY(w.state.transmissionRatio > 0.0);
        QCOMPARE(w.form.StatusBar().text(2), QString("st: 2000"));
        QVERIFY(w.dialogs.messages.isEmpty());
    }

    void count_with_no_steps_runs_nothing_and_redraws() {
        Window w;
        w.ui().TimeEdit->setText("0");
        w.state.analysisResult = 42.0;
        w.ui().DoTest->click();
        QCOMPARE(w.state.Nsteps, 0);
        QCOMPARE(w.state.analysisResult, 42.0);  // no stopRun, no analysis
        QCOMPARE(runState(w), kIdle);
        QCOMPARE(w.ui().Nsteps4Text->text(), QString("0 ms"));
    }

    void simulate_pause_resume_and_stop_walk_the_state_table() {
        Window w;
        w.loadRegularTrain(1000, 40);
        w.ui().SimulateButton->click();
        QCOMPARE(runState(w), kContinuous);
        QVERIFY(w.ui().GraphicTrace->isChecked());
        QVERIFY(neverDisabledAreEnabled(w));
        QTRY_VERIFY(w.state.curStep > 3);

        w.ui().PauseButton->click();
        QCOMPARE(runState(w), kPaused);
        const int pausedAt = w.state.curStep;
        QTest::qWait(30);
        QCOMPARE(w.state.curStep, pausedAt);
        QCOMPARE(w.ui().PauseButton->text(), QString("Pause"));

        w.ui().PauseButton->click();
        QCOMPARE(runState(w), kContinuous);
        QTRY_VERIFY(w.state.curStep > pausedAt);

        w.ui().PauseButton->click();
        QCOMPARE(runState(w), kPaused);
        const int stoppedAt = w.state.curStep;
        w.ui().StopButton->click();
        QCOMPARE(runState(w), kIdle);
        QVERIFY(neverDisabledAreEnabled(w));
        QCOMPARE(w.state.curStep, stoppedAt);
        for (int step : w.state.outSpikeSteps) QVERIFY(step < stoppedAt);
        QCOMPARE(w.state.V1trace[static_cast<size_t>(stoppedAt)], 0.0);
    }

    void continuous_run_ends_by_itself_after_the_last_step() {
        Window w;
        w.loadRegularTrain(20, 8);
        w.ui().SimulateButton->click();
        QCOMPARE(w.form.Timer1().interval(), 1);  // the speed at its fast end
        QTRY_COMPARE(runState(w), kIdle);
        QCOMPARE(w.state.curStep, 40);
        QVERIFY(w.dialogs.messages.isEmpty());
    }

    void speed_sets_the_timer_interval_at_the_next_step() {
        Window w;
        w.loadRegularTrain(1000, 40);
        w.ui().SimulateButton->click();
        w.ui().speed->setValue(7);
        QTRY_COMPARE(w.form.Timer1().interval(), 7);
        w.ui().StopButton->click();
    }

    void bad_rate_during_continuous_run_shows_the_message_once_and_ends_it() {
        Window w;
        w.loadRegularTrain(1000, 40);
        w.ui().SimulateButton->click();
        QTRY_VERIFY(w.state.curStep > 2);
        w.ui().gamma1->setText("abc");
        QTRY_COMPARE(runState(w), kIdle);
        QTest::qWait(20);
        QCOMPARE(w.dialogs.messages, QStringList{kRateMessage});
        QVERIFY(w.state.curStep < 2000);
        // The failing step wrote its trace entry, then curStep still advanced.
        const int failed = w.state.curStep - 1;
        QVERIFY(w.state.V1trace[static_cast<size_t>(failed)] > 0.0);
        QCOMPARE(w.state.V1trace[static_cast<size_t>(failed + 1)], 0.0);
    }

    void failing_tick_pauses_the_run_and_reports_once() {
        Window w;
        w.loadRegularTrain(100, 8);
        w.ui().SimulateButton->click();
        QTRY_VERIFY(w.state.curStep > 2);
        w.ui().ign->setText("x");  // every tick's redraw reads it
        QTRY_COMPARE(runState(w), kPaused);
        QTest::qWait(20);
        QCOMPARE(w.dialogs.messages, QStringList{"'x' is not a valid integer value"});
        w.ui().ign->setText("0");
        w.ui().PauseButton->click();  // resumes
        QCOMPARE(runState(w), kContinuous);
        QTRY_COMPARE(runState(w), kIdle);
        QCOMPARE(w.state.curStep, 200);
    }

    void bad_rate_in_count_stops_at_the_first_step_that_reads_it() {
        Window w;
        w.loadRegularTrain(1000, 40, 5);
        w.ui().delta2->setText("0,3");  // not a number under a full-stop locale
        w.ui().DoTest->click();
        QCOMPARE(w.dialogs.messages, QStringList{kRateMessage});
        QCOMPARE(w.state.curStep, 6);  // the first input spike is at step 5
        QCOMPARE(runState(w), kIdle);
    }

    void failed_reset_enables_simulate_again_before_the_report() {
        Window w;
        w.ui().V2_start->setText("x");
        w.ui().SimulateButton->click();
        QCOMPARE(w.dialogs.messages, QStringList{"'x' is not a valid floating point value"});
        QCOMPARE(runState(w), kIdle);
    }

    // A reset that fails after it took a longer run length leaves traces and
    // trains shorter than Nsteps; the ticks of a resumed run must not step
    // into them (a sanitized build would catch the write past their end).
    void ticks_after_a_failed_reset_never_step_past_the_traces() {
        Window w;
        w.loadRegularTrain(100, 8);
        w.ui().SimulateButton->click();
        QTRY_VERIFY(w.state.curStep > 2);
        w.ui().PauseButton->click();
        QCOMPARE(runState(w), kPaused);
        w.ui().TimeEdit->setText("1000");
        w.ui().V1_start->setText("x");
        w.ui().DoTest->click();
        QCOMPARE(w.dialogs.messages, QStringList{"'x' is not a valid floating point value"});
        QVERIFY(w.ui().StopButton->isEnabled());

        w.ui().PauseButton->click();  // resumes the watched run
        QTest::qWait(300);
        QVERIFY(w.state.curStep <= 200);
        QVERIFY(static_cast<size_t>(w.state.curStep) <= w.state.V1trace.size());
        w.ui().StopButton->click();
        QCOMPARE(runState(w), kIdle);
        QCOMPARE(w.dialogs.messages.size(), 1);
    }

    void simulate_with_no_steps_does_not_start_the_timer() {
        Window w;
        w.ui().TimeEdit->setText("0");
        w.ui().SimulateButton->click();
        QCOMPARE(runState(w), kIdle);
    }

    void count_during_a_continuous_run_stops_its_timer_first() {
        Window w;
        w.loadRegularTrain(1000, 40);
        w.ui().SimulateButton->click();
        QTRY_VERIFY(w.state.curStep > 2);
        w.ui().DoTest->click();
        QCOMPARE(w.state.curStep, 2000);
        QCOMPARE(runState(w), kIdle);
    }

    void clicks_that_start_work_are_ignored_during_an_instant_run() {
        Window w;
        w.loadRegularTrain(200000, 40);
        int stepWhenClicked = -1;
        bool wasRunning = false;
        QTimer::singleShot(0, &w.form, [&] {
            wasRunning = w.form.loopRunning();
            stepWhenClicked = w.state.curStep;
            w.ui().DoTest->click();
            w.ui().SimulateButton->click();
            QCOMPARE(w.state.curStep, stepWhenClicked);
            w.ui().speed->setValue(5);  // ordinary controls still act
        });
        w.ui().DoTest->click();
        QVERIFY(wasRunning);
        QVERIFY(stepWhenClicked < 400000);
        QCOMPARE(w.state.curStep, 400000);
        QCOMPARE(w.form.Timer1().interval(), 5);
        QCOMPARE(runState(w), kIdle);
        QVERIFY(w.dialogs.messages.isEmpty());
    }
};

QTEST_MAIN(RunControlTest)
#include "run_control_test.moc"
