// Count!, Simulate!, Pause and Stop on run control built alone: the run each
// makes, the enabled state of the buttons, boxes and Timer1 in every run
// state, and what reaches the screen.
#include <QtTest>

#include "base/errors.hpp"
#include "parts_fixture.hpp"

using namespace mirvok;
using namespace mirvok::ui;

namespace {

const QString kRateMessage = "Error: Your inputs are probably not floats.";

// The enabled states of Simulate!, Read..., Save..., epsilon, boundary
// tolerance, Stop, Pause and Timer1, in that order.
QString runState(Parts& p) {
    const FormControls& u = p.ui();
    const bool on[] = {u.SimulateButton->isEnabled(), u.ReadButton->isEnabled(),
                       u.SaveButton->isEnabled(),     u.MaxDiff->isEnabled(),
                       u.ZeroDiff->isEnabled(),       u.StopButton->isEnabled(),
                       u.PauseButton->isEnabled(),    p.timer.isActive()};
    QString s;
    for (bool b : on) s += b ? '1' : '0';
    return s;
}

bool neverDisabledAreEnabled(Parts& p) {
    const FormControls& u = p.ui();
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
        Parts p;
        p.loadRegularTrain(1000, 40);
        QCOMPARE(runState(p), kIdle);
        p.ui().GraphicTrace->setChecked(true);
        p.run.runAllSteps();
        QCOMPARE(p.state.curStep, 2000);
        QCOMPARE(runState(p), kIdle);
        QVERIFY(!p.ui().GraphicTrace->isChecked());
        QVERIFY(!p.state.outSpikeSteps.empty());
        QVERIFY(p.window.results.transmissionRatio > 0.0);
        // Every step recorded for the display; no redraw until the run ends
        // (one by stopRun, one by the instant run itself).
        QCOMPARE(p.screen.recordedSteps, 2000);
        QCOMPARE(p.screen.redraws, 2);
        QVERIFY(p.screen.messages.isEmpty());
    }

    void count_with_no_steps_runs_nothing_and_redraws() {
        Parts p;
        p.ui().TimeEdit->setText("0");
        p.window.results.analysisResult = 42.0;
        p.run.runAllSteps();
        QCOMPARE(p.state.Nsteps, 0);
        QCOMPARE(p.window.results.analysisResult, 42.0);  // no stopRun, no analysis
        QCOMPARE(runState(p), kIdle);
        QCOMPARE(p.screen.redraws, 1);
    }

    void simulate_pause_resume_and_stop_walk_the_state_table() {
        Parts p;
        p.loadRegularTrain(1000, 40);
        p.run.startContinuousRun();
        QCOMPARE(runState(p), kContinuous);
        QVERIFY(p.ui().GraphicTrace->isChecked());
        QVERIFY(neverDisabledAreEnabled(p));
        QTRY_VERIFY(p.state.curStep > 3);

        p.run.togglePause();
        QCOMPARE(runState(p), kPaused);
        const int pausedAt = p.state.curStep;
        QTest::qWait(30);
        QCOMPARE(p.state.curStep, pausedAt);
        QCOMPARE(p.ui().PauseButton->text(), QString("Pause"));

        p.run.togglePause();
        QCOMPARE(runState(p), kContinuous);
        QTRY_VERIFY(p.state.curStep > pausedAt);

        p.run.togglePause();
        QCOMPARE(runState(p), kPaused);
        const int stoppedAt = p.state.curStep;
        p.run.stopRun();
        QCOMPARE(runState(p), kIdle);
        QVERIFY(neverDisabledAreEnabled(p));
        QCOMPARE(p.state.curStep, stoppedAt);
        for (int step : p.state.outSpikeSteps) QVERIFY(step < stoppedAt);
        QCOMPARE(p.state.V1trace[static_cast<size_t>(stoppedAt)], 0.0);
        QVERIFY(p.tickErrors.isEmpty());
    }

    void continuous_run_redraws_every_step_and_ends_by_itself() {
        Parts p;
        p.loadRegularTrain(20, 8);
        p.run.startContinuousRun();
        QCOMPARE(p.timer.interval(), 1);  // the speed at its fast end
        const int redrawsBefore = p.screen.redraws;
        QTRY_COMPARE(runState(p), kIdle);
        QCOMPARE(p.state.curStep, 40);
        // One redraw per step while "graphic trace" is ticked, one at the stop.
        QCOMPARE(p.screen.redraws - redrawsBefore, 41);
        QVERIFY(p.screen.messages.isEmpty());
        QVERIFY(p.tickErrors.isEmpty());
    }

    void speed_sets_the_timer_interval_at_the_next_step() {
        Parts p;
        p.loadRegularTrain(1000, 40);
        p.run.startContinuousRun();
        p.ui().speed->setValue(7);
        QTRY_COMPARE(p.timer.interval(), 7);
        p.run.stopRun();
    }

    void bad_rate_during_continuous_run_shows_the_message_once_and_ends_it() {
        Parts p;
        p.loadRegularTrain(1000, 40);
        p.run.startContinuousRun();
        QTRY_VERIFY(p.state.curStep > 2);
        p.ui().gamma1->setText("abc");
        QTRY_COMPARE(runState(p), kIdle);
        QTest::qWait(20);
        QCOMPARE(p.screen.messages, QStringList{kRateMessage});
        QVERIFY(p.tickErrors.isEmpty());
        QVERIFY(p.state.curStep < 2000);
        // The failing step wrote its trace entry, then curStep still advanced.
        const int failed = p.state.curStep - 1;
        QVERIFY(p.state.V1trace[static_cast<size_t>(failed)] > 0.0);
        QCOMPARE(p.state.V1trace[static_cast<size_t>(failed + 1)], 0.0);
    }

    void bad_rate_in_count_stops_at_the_first_step_that_reads_it() {
        Parts p;
        p.loadRegularTrain(1000, 40, 5);
        p.ui().delta2->setText("0,3");  // not a number under a full-stop locale
        p.run.runAllSteps();
        QCOMPARE(p.screen.messages, QStringList{kRateMessage});
        QCOMPARE(p.state.curStep, 6);  // the first input spike is at step 5
        QCOMPARE(runState(p), kIdle);
    }

    // After any refused value the window is usable: Simulate! enabled, and
    // a watched run whose Stop meets a refused analysis value has ended.
    void a_refused_value_leaves_the_window_idle_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("analysed");
        QTest::newRow("start 2") << "V2_start" << false;
        QTest::newRow("time") << "TimeEdit" << false;
        QTest::newRow("c0") << "C0Edit" << true;
        QTest::newRow("ign") << "ign" << true;
        QTest::newRow("local spikes") << "Range" << true;
    }

    void a_refused_value_leaves_the_window_idle() {
        QFETCH(QString, box);
        QFETCH(bool, analysed);
        Parts p;
        p.loadRegularTrain(1000, 40);
        QLineEdit* edit = p.c.host.findChild<QLineEdit*>(box);
        const QString good = edit->text();
        edit->setText("x");
        QVERIFY_THROWS_EXCEPTION(EConvertError, p.run.startContinuousRun());
        QCOMPARE(runState(p), kIdle);
        QCOMPARE(p.screen.redraws, 0);
        if (!analysed) return;
        edit->setText(good);
        p.run.startContinuousRun();
        QTRY_VERIFY(p.state.curStep > 2);
        edit->setText("x");
        QVERIFY_THROWS_EXCEPTION(EConvertError, p.run.stopRun());
        QCOMPARE(runState(p), kIdle);
        QVERIFY(!p.run.watching());
    }

    // Count! at a shorter time leaves out the loaded train's steps beyond it
    // and says so once; at the longer time again they are all back.
    void a_shorter_run_says_once_how_many_steps_it_leaves_out() {
        Parts p;
        p.loadRegularTrain(1000, 40);
        p.run.runAllSteps();
        const std::vector<int> outputs = p.state.outSpikeSteps;
        p.ui().TimeEdit->setText("500");
        p.run.runAllSteps();
        p.run.runAllSteps();
        QCOMPARE(p.state.inSpikeSteps.back(), 961);
        QCOMPARE(p.screen.messages, QStringList{"25 spike steps outside 0 to 999 were skipped"});
        p.ui().TimeEdit->setText("1000");
        p.run.runAllSteps();
        QCOMPARE(p.state.outSpikeSteps, outputs);
        QCOMPARE(p.screen.messages.size(), 1);
    }

    // Trains and segments are made for the "time" box, except while a
    // watched run is open: they are made for that run.
    void a_watched_run_keeps_its_length_for_the_trains_made_meanwhile() {
        Parts p;
        p.loadRegularTrain(10, 4);
        p.run.startContinuousRun();
        p.ui().TimeEdit->setText("30");
        p.run.latchRunLength();
        QCOMPARE(p.state.Nsteps, 20);
        p.run.stopRun();
        p.ui().TimeEdit->setText("-1");
        QVERIFY_THROWS_EXCEPTION(InputError, p.run.latchRunLength());
        QCOMPARE(p.state.Nsteps, 20);
    }

    // A reset that fails after it took a longer run length leaves traces and
    // trains shorter than Nsteps; the ticks of a resumed run must not step
    // into them (a sanitized build would catch the write past their end).
    void ticks_after_a_failed_reset_never_step_past_the_traces() {
        Parts p;
        p.loadRegularTrain(100, 8);
        p.run.startContinuousRun();
        QTRY_VERIFY(p.state.curStep > 2);
        p.run.togglePause();
        QCOMPARE(runState(p), kPaused);
        p.ui().TimeEdit->setText("1000");
        p.ui().V1_start->setText("x");
        QVERIFY_THROWS_EXCEPTION(EConvertError, p.run.runAllSteps());
        QVERIFY(p.ui().StopButton->isEnabled());

        p.run.togglePause();  // resumes the watched run
        QTest::qWait(300);
        QVERIFY(p.state.curStep <= 200);
        QVERIFY(static_cast<size_t>(p.state.curStep) <= p.state.V1trace.size());
        p.run.stopRun();
        QCOMPARE(runState(p), kIdle);
        QVERIFY(p.tickErrors.isEmpty());
    }

    void simulate_with_no_steps_does_not_start_the_timer() {
        Parts p;
        p.ui().TimeEdit->setText("0");
        p.run.startContinuousRun();
        QCOMPARE(runState(p), kIdle);
    }

    void count_during_a_continuous_run_stops_its_timer_first() {
        Parts p;
        p.loadRegularTrain(1000, 40);
        p.run.startContinuousRun();
        QTRY_VERIFY(p.state.curStep > 2);
        p.run.runAllSteps();
        QCOMPARE(p.state.curStep, 2000);
        QCOMPARE(runState(p), kIdle);
    }

    void rates_follow_every_text_change() {
        Parts p;
        QCOMPARE(p.values.value(RunValue::Gamma1), 0.009);
        p.ui().gamma1->setText("1e");
        QVERIFY_THROWS_EXCEPTION(EConvertError, p.values.value(RunValue::Gamma1));
        p.ui().gamma1->setText(" 2.5 ");
        QCOMPARE(p.values.value(RunValue::Gamma1), 2.5);
        p.ui().delta1->setText("1e999");  // converts, but not to a double
        QVERIFY_THROWS_EXCEPTION(EOverflow, p.values.value(RunValue::Delta1));
    }

    void boxes_answer_with_their_last_valid_value_only_while_asked_to() {
        Parts p;
        p.ui().gamma1->setText("2.5");
        p.ui().gamma1->setText("2.5x");
        p.ui().TimeEdit->clear();
        {
            ParameterBoxes::KeepLastValid keep(p.boxes);
            QCOMPARE(p.values.value(RunValue::Gamma1), 2.5);
            QCOMPARE(p.values.value(RunValue::Time), 1000);
        }
        QVERIFY_THROWS_EXCEPTION(EConvertError, p.values.value(RunValue::Gamma1));
        QVERIFY_THROWS_EXCEPTION(EConvertError, p.values.value(RunValue::Time));
    }
};

QTEST_MAIN(RunControlTest)
#include "run_control_test.moc"
