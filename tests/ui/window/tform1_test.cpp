// The main window at start and its handler plumbing.
#include "ui/tform1.hpp"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <utility>

#include "base/errors.hpp"
#include "ui/dialogs/interval_dialog.hpp"
#include "ui/dialogs/scripted/scripted_dialogs.hpp"
#include "ui/window/form_controls.hpp"
#include "ui/window/image_area.hpp"
#include "ui/window/status_panels.hpp"
#include "ui/window/window_layout.hpp"
#include "window_fixture.hpp"

using namespace mirvok;
using namespace mirvok::ui;

class TForm1Test : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void start_state_matches_the_layout() {
        SimState state;
        Pcg31 random(1);
        ScriptedDialogs dialogs;
        TForm1 form(state, random, dialogs);
        const FormControls& ui = form.ui();
        QCOMPARE(form.objectName(), QString("Form1"));
        QCOMPARE(form.windowTitle(), QString("Mirvok v6.1"));
        QVERIFY(!ui.StopButton->isEnabled());
        QVERIFY(!ui.PauseButton->isEnabled());
        QVERIFY(ui.SimulateButton->isEnabled());
        QVERIFY(!ui.GraphicTrace->isChecked());
        QVERIFY(ui.FirstDel->isChecked());
        QCOMPARE(ui.speed->value(), 1);
        QCOMPARE(form.StatusBar().text(0), QString("no input"));
        QCOMPARE(form.StatusBar().text(1), QString("no ouput"));
        QCOMPARE(form.StatusBar().count(), 12);
        QCOMPARE(state.Nsteps, 2000);
        QVERIFY(ui.DoTest->isDefault());
        QVERIFY(!form.Timer1().isActive());
        QCOMPARE(form.Timer1().interval(), 10);
        QVERIFY(!form.findChild<TOKBottomDlg*>()->isVisible());
        // The first redraw replaced the layout's axis labels.
        QCOMPARE(ui.Nsteps4Text->text(), QString("1000 ms"));
        // The value boxes are read, not greyed.
        for (const QLineEdit* box : {ui.V1_act, ui.V2_act, ui.Vdiff})
            QVERIFY(box->isReadOnly() && box->isEnabled());
    }

    void every_layout_control_exists_and_is_visible() {
        SimState state;
        Pcg31 random(1);
        ScriptedDialogs dialogs;
        TForm1 form(state, random, dialogs);
        form.show();
        for (const ControlEntry& c : windowLayout()) {
            auto* w = form.findChild<QWidget*>(QString::fromUtf8(c.name));
            QVERIFY2(w, c.name);
            // Every control, also those beyond the designed area, is visible.
            QVERIFY2(form.rect().contains(w->geometry()), c.name);
            QVERIFY2(w->isVisible(), c.name);
        }
        QVERIFY(!form.StatusBar().geometry().intersects(form.ui().VariImage->geometry()));
    }

    // The places and sizes are those of a narrow 8 point font: captions and
    // status texts must still be readable whole in them.
    void captions_and_status_texts_fit_their_controls() {
        SimState state;
        Pcg31 random(1);
        ScriptedDialogs dialogs;
        TForm1 form(state, random, dialogs);
        form.show();
        for (const ControlEntry& c : windowLayout()) {
            auto* w = form.findChild<QWidget*>(QString::fromUtf8(c.name));
            const QFontMetrics metrics(w->font());
            QStyleOptionButton option;
            option.initFrom(w);
            QRect room;
            if (qobject_cast<QCheckBox*>(w))
                room = w->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, w);
            else if (qobject_cast<QPushButton*>(w))
                room = w->style()->subElementRect(QStyle::SE_PushButtonContents, &option, w);
            else
                continue;
            const int needed = metrics.horizontalAdvance(static_cast<QAbstractButton*>(w)->text());
            QVERIFY2(needed <= room.width(),
                     qPrintable(QString("%1: %2 > %3").arg(c.name).arg(needed).arg(room.width())));
        }
        // The texts the redraw and a batch write into their panels, in a
        // font at most a pixel smaller than the bar's: values as the boxes
        // write them, seeds and counts of up to 6 digits whole (8 in the
        // wider step and count panels), longer counts cut at their end,
        // whole in the tooltip.
        StatusPanels bar(&form);
        const int pixels = QFontInfo(bar.font()).pixelSize();
        const std::pair<int, QString> whole[] = {
            {0, "#99999999"}, {2, "st: 99999999"}, {3, "avg: -0.00012"},    {4, "avl: -0.00012"},
            {5, "s: 999999"}, {6, "f: 999999"},    {7, "c: 0.02051"},       {8, "q: 0.67347"},
            {9, "i: 999999"}, {1, "no ouput"},     {10, "seed: 2147483647"}};
        const std::pair<int, QString> cut[] = {{5, "s: 9999999"}, {6, "f: 99999999"}};
        const auto readable = [&](const QLabel* label) {
            return QFontInfo(label->font()).pixelSize() >= pixels - 1 &&
                   QFontMetrics(label->font()).horizontalAdvance(label->text()) <=
                       label->contentsRect().width();
        };
        for (const auto& [panel, text] : whole) {
            bar.setText(panel, text);
            QCOMPARE(bar.panel(panel)->text(), text);
            QVERIFY(readable(bar.panel(panel)));
        }
        for (const auto& [panel, text] : cut) {
            bar.setText(panel, text);
            const QLabel* label = bar.panel(panel);
            QVERIFY2(label->text().endsWith(QChar(0x2026)), qPrintable(label->text()));
            QCOMPARE(label->toolTip(), text);
            QVERIFY(readable(label));
        }
    }

    // A name longer than its panel keeps both ends, the count before it is
    // whole, and the whole text is the panel's tooltip.
    void a_long_file_name_is_elided_in_the_middle_after_its_whole_count() {
        StatusPanels bar;
        const QString path = "/home/someone/experiments/2024/trains/regular.csv";
        bar.setText(0, "12 sps ", path);
        const QLabel* panel = bar.panel(0);
        QCOMPARE(bar.text(0), "12 sps " + path);
        QCOMPARE(panel->toolTip(), bar.text(0));
        QVERIFY2(panel->text().startsWith("12 sps ") && panel->text().endsWith("sv"),
                 qPrintable(panel->text()));
        QVERIFY(panel->text().contains(QChar(0x2026)));
        QVERIFY(QFontMetrics(panel->font()).horizontalAdvance(panel->text()) <=
                panel->contentsRect().width());
    }

    void enter_in_an_edit_box_runs_count() {
        Window w;
        w.form.show();
        QTest::keyClick(w.ui().gamma2, Qt::Key_Return);
        QCOMPARE(w.state.curStep, 2000);
        QCOMPARE(w.form.StatusBar().text(2), QString("st: 2000"));
        // Once, not once per widget the key passes through.
        w.state.curStep = 5;
        QTest::keyClick(w.ui().ZeroDiff, Qt::Key_Enter);
        QCOMPARE(w.state.curStep, 2000);
        QCOMPARE(w.dialogs.messages, QStringList{});
        // A focused button takes Enter itself.
        w.ui().SimulateButton->setFocus();
        w.ui().StopButton->setEnabled(true);
        w.ui().StopButton->setFocus();
        w.state.inSpikeSteps = {10, 20, 40};  // irregular: only an analysis sees a CV
        QTest::keyClick(w.ui().StopButton, Qt::Key_Return);
        QVERIFY(w.form.windowState().results.isiCV > 0.0);  // Stop ran the analysis
        QVERIFY(!w.ui().StopButton->isEnabled());
    }

    // A run that disables the button just clicked hands the focus to Count!,
    // so the next Enter runs Count!, not "define intervals" or "Save...".
    void enter_after_a_run_runs_count_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("Simulate!, run to its end") << "SimulateButton";
        QTest::newRow("Stop") << "StopButton";
        QTest::newRow("Process All!") << "All";
    }

    void enter_after_a_run_runs_count() {
        QFETCH(QString, button);
        InTempFolder folder;
        Window w;
        w.form.show();
        w.loadRegularTrain(button == "StopButton" ? 100000 : 20, 8);
        w.ui().ntests->setText("1");
        auto* clicked = w.form.findChild<QPushButton*>(button);
        if (button == "StopButton") {
            w.ui().SimulateButton->click();
            QTRY_VERIFY(w.state.curStep > 2);
        }
        clicked->setFocus();
        QTest::keyClick(clicked, Qt::Key_Space);
        QTRY_VERIFY(!w.ui().StopButton->isEnabled());
        QCOMPARE(w.form.focusWidget(), static_cast<QWidget*>(w.ui().DoTest));
        w.state.curStep = 1;
        QTest::keyClick(w.form.focusWidget(), Qt::Key_Return);
        QCOMPARE(w.state.curStep, w.state.Nsteps);
        QCOMPARE(w.dialogs.dialogsShown, 0);
        QVERIFY(w.dialogs.saveStarts.isEmpty());
    }

    // A watched run that reaches its end shows its results as Stop does.
    void a_watched_run_ended_shows_its_results() {
        Window w;
        w.loadRegularTrain(100, 8);  // 25 spikes: 20 windows of 5 intervals
        w.ui().DoTest->click();
        QCOMPARE(w.form.results().points(ResultsModel::Series::LocalCvs).size(), 20);
        w.loadRegularTrain(100, 10);  // 20 spikes: 15 windows
        w.ui().SimulateButton->click();
        QTRY_VERIFY(!w.ui().StopButton->isEnabled());
        QCOMPARE(w.form.results().points(ResultsModel::Series::LocalCvs).size(), 15);
    }

    void errors_of_a_handler_are_reported_with_their_own_message() {
        Window w;
        w.ui().TimeEdit->setText("abc");
        w.ui().DoTest->click();
        QCOMPARE(w.dialogs.messages, QStringList{"'abc' is not a valid integer value"});
        QVERIFY(w.ui().SimulateButton->isEnabled());
        // Anything else thrown is reported too, and the window goes on.
        QVERIFY(!w.form.report([] { throw 7; }));
        QVERIFY(w.form.report([] {}));
        QCOMPARE(w.dialogs.messages.size(), 2);
    }

    void default_texts_follow_a_comma_locale() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        {
            Window w;
            // Every box starts as it always has: a value's the table's
            // default, the others their own text.
            const FormControls& ui = w.ui();
            const std::pair<QLineEdit*, const char*> starts[] = {
                {ui.V1_start, "0,2"},  {ui.gamma1, "0,009"},       {ui.delta1, "0,45"},
                {ui.V2_start, "0,8"},  {ui.gamma2, "0,006"},       {ui.delta2, "0,3"},
                {ui.MaxDiff, "0,005"}, {ui.TimeEdit, "1000"},      {ui.isi, "20"},
                {ui.isiInt, "0"},      {ui.CVedit, "0,02"},        {ui.ntests, "100"},
                {ui.C0Edit, "0,3333"}, {ui.ZeroDiff, "0"},         {ui.ign, "0"},
                {ui.shape, "1000"},    {ui.localTolerance, "0,1"}, {ui.Range, "5"},
                {ui.seedEdit, ""}};
            for (const auto& [box, text] : starts) QCOMPARE(box->text(), QString(text));
            w.loadRegularTrain(1000, 40);
            w.ui().DoTest->click();
            QVERIFY(w.dialogs.messages.isEmpty());
            QCOMPARE(w.ui().V1_act->text().count(','), 1);
            w.ui().gamma1->setText("0.009");  // a full stop does not convert here
            w.ui().DoTest->click();
            QCOMPARE(w.dialogs.messages,
                     QStringList{"Error: Your inputs are probably not floats."});
        }
        QLocale::setDefault(QLocale::c());
        Window w;
        QCOMPARE(w.ui().V1_start->text(), QString("0.2"));
    }

    // Closing the window ends the program: a loop that runs when it is
    // closed ends at its next event check, instead of going on unseen.
    void closing_the_window_ends_a_running_loop_data() {
        QTest::addColumn<bool>("batch");
        QTest::newRow("Count!") << false;
        QTest::newRow("Process All!") << true;
    }

    void closing_the_window_ends_a_running_loop() {
        QFETCH(bool, batch);
        InTempFolder folder;
        Window w;
        w.form.show();
        w.ui().TimeEdit->setText(batch ? "1000" : "2000000");
        w.ui().ntests->setText("100000");
        QTimer::singleShot(0, &w.form, [&w] { w.form.close(); });
        (batch ? w.ui().All : w.ui().DoTest)->click();
        QVERIFY(!w.form.loopRunning());
        QVERIFY(!w.form.windowState().batchRunning);
        QCOMPARE(w.dialogs.messages, QStringList{});
        if (batch) {
            QFile result("output.csv");
            QVERIFY(result.open(QIODevice::ReadOnly));
            const QByteArray text = result.readAll();
            QVERIFY(text.endsWith('\n'));  // closed after a whole record
            QVERIFY(text.count('\n') < 1000);
        } else {
            QVERIFY(w.state.curStep < w.state.Nsteps);
        }
    }

    // A tick that throws reaches the window's error report once; the run
    // pauses, and resumes once the box is fixed.
    void failing_tick_pauses_the_run_and_reports_once() {
        Window w;
        w.loadRegularTrain(100, 8);
        w.ui().SimulateButton->click();
        QTRY_VERIFY(w.state.curStep > 2);
        w.ui().ign->setText("x");  // every tick's redraw reads it
        QTRY_VERIFY(!w.form.Timer1().isActive());
        QTest::qWait(20);
        QCOMPARE(w.dialogs.messages, QStringList{"'x' is not a valid integer value"});
        QVERIFY(w.ui().StopButton->isEnabled());
        QVERIFY(w.ui().SaveButton->isEnabled());
        w.ui().ign->setText("0");
        w.ui().PauseButton->click();  // resumes
        QVERIFY(w.form.Timer1().isActive());
        QTRY_VERIFY(!w.ui().StopButton->isEnabled());
        QCOMPARE(w.state.curStep, 200);
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
        QVERIFY(!w.form.Timer1().isActive());
        QVERIFY(w.ui().SimulateButton->isEnabled());
        QVERIFY(w.dialogs.messages.isEmpty());
    }
};

QTEST_MAIN(TForm1Test)
#include "tform1_test.moc"
