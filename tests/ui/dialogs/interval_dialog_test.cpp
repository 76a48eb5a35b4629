// The interval dialog: its layout, the curpos label, and whole definitions
// driven pass by pass, scripted and through a real modal loop.
#include "ui/dialogs/interval_dialog.hpp"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QtTest>
#include <deque>
#include <string>
#include <vector>

#include "trains/generator_settings.hpp"

using mirvok::Segments;
using mirvok::ui::TOKBottomDlg;

namespace {

// One press of "Next": where the slider stands and what the entries hold.
struct Pass {
    int position;
    QString isi;
    QString cv;
};

// Plays the passes in order and records the caption each pass showed. Runs
// out of passes by sliding to the far right, so a faulty loop still ends.
struct PassScript {
    std::deque<Pass> passes;
    QStringList captions;
    std::vector<int> positionsShown;

    int operator()(TOKBottomDlg& dialog) {
        captions << dialog.windowTitle();
        positionsShown.push_back(dialog.TrackBar1->value());
        if (passes.empty()) {
            dialog.TrackBar1->setValue(dialog.TrackBar1->maximum());
            QTest::qFail("more passes than scripted", __FILE__, __LINE__);
            return QDialog::Accepted;
        }
        const Pass pass = passes.front();
        passes.pop_front();
        dialog.IsiEntry->setText(pass.isi);
        dialog.CVEntry->setText(pass.cv);
        dialog.TrackBar1->setValue(pass.position);
        return QDialog::Accepted;
    }
};

// The next widget that the Tab key reaches from w.
QWidget* nextTabStop(QWidget* w) {
    QWidget* next = w->nextInFocusChain();
    while (next != w && !(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
    return next;
}

// The segments of a run of Nsteps, as the window holds them.
struct RunSegments {
    int Nsteps = 0;
    Segments segments;
};

RunSegments runOf(int steps) {
    return {steps, {}};
}

}  // namespace

class IntervalDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void layoutMatchesTheDesign();
    void curposFollowsTheSlider();
    void threePassesDefineThreeSegments();
    void farRightInTheFirstPassDefinesOneSegment();
    void passNotRightOfTheLastBoundStoresNothing();
    void refusedEntriesAreAskedForAgain_data();
    void refusedEntriesAreAskedForAgain();
    void runWithoutStepsAsksNothing();
    void redefiningStartsAfresh();
    void cancelEscAndCloseBoxKeepTheSegments_data();
    void cancelEscAndCloseBoxKeepTheSegments();
};

void IntervalDialogTest::layoutMatchesTheDesign() {
    TOKBottomDlg dialog;
    QCOMPARE(dialog.objectName(), QString("OKBottomDlg"));
    QCOMPARE(dialog.windowTitle(), QString("Define intervals"));
    QCOMPARE(dialog.size(), QSize(640, 181));

    QCOMPARE(dialog.TrackBar1->objectName(), QString("TrackBar1"));
    QCOMPARE(dialog.TrackBar1->geometry(), QRect(16, 16, 601, 45));
    QCOMPARE(dialog.TrackBar1->minimum(), 0);
    QCOMPARE(dialog.TrackBar1->maximum(), 1199);
    QCOMPARE(dialog.TrackBar1->value(), 0);
    QCOMPARE(dialog.TrackBar1->tickInterval(), 10);
    QCOMPARE(dialog.TrackBar1->tickPosition(), QSlider::TicksBothSides);

    QCOMPARE(dialog.IsiEntry->text(), QString("20"));
    QCOMPARE(dialog.IsiEntry->geometry(), QRect(88, 72, 121, 21));
    QCOMPARE(dialog.CVEntry->text(), QString("1"));
    QCOMPARE(dialog.CVEntry->geometry(), QRect(88, 96, 121, 21));
    QCOMPARE(dialog.ShapeEntry->text(), QString("1"));
    QCOMPARE(dialog.ShapeEntry->geometry(), QRect(88, 120, 121, 21));
    QCOMPARE(dialog.Label1->text(), QString("isi:"));
    QCOMPARE(dialog.Label1->pos(), QPoint(32, 72));
    QCOMPARE(dialog.Label4->text(), QString("CV:"));
    QCOMPARE(dialog.Label4->pos(), QPoint(32, 104));
    QCOMPARE(dialog.Label2->text(), QString("shape:"));
    QCOMPARE(dialog.Label2->pos(), QPoint(32, 128));
    QCOMPARE(dialog.Curpos->text(), QString("curpos: 0"));
    QCOMPARE(dialog.Curpos->pos(), QPoint(328, 88));
    QVERIFY(dialog.Curpos->font().bold());
    QCOMPARE(dialog.Curpos->font().pixelSize(), 16);
    QCOMPARE(dialog.NextButton->text(), QString("Next"));
    QCOMPARE(dialog.NextButton->geometry(), QRect(527, 92, 75, 25));
    QVERIFY(dialog.NextButton->isDefault());
    QCOMPARE(dialog.CancelButton->text(), QString("Cancel"));
    QVERIFY(dialog.Bevel1->geometry().contains(dialog.CancelButton->geometry()));
    QCOMPARE(dialog.Bevel1->geometry(), QRect(8, 8, 617, 161));

    // Tab order: NextButton, TrackBar1, IsiEntry, ShapeEntry, CVEntry, CancelButton.
    const QList<QWidget*> order{dialog.NextButton, dialog.TrackBar1, dialog.IsiEntry,
                                dialog.ShapeEntry, dialog.CVEntry,   dialog.CancelButton,
                                dialog.NextButton};
    for (qsizetype i = 0; i + 1 < order.size(); ++i) QCOMPARE(nextTabStop(order[i]), order[i + 1]);
}

void IntervalDialogTest::curposFollowsTheSlider() {
    TOKBottomDlg dialog;
    for (const int position : {10, 1199, 0, 523}) {
        dialog.TrackBar1->setValue(position);
        QCOMPARE(dialog.Curpos->text(), QString("curpos: %1").arg(position));
    }
    // A position beyond the range clamps, and the label shows where it stands.
    dialog.TrackBar1->setValue(5000);
    QCOMPARE(dialog.Curpos->text(), QString("curpos: 1199"));
}

void IntervalDialogTest::threePassesDefineThreeSegments() {
    RunSegments run = runOf(1200);
    TOKBottomDlg dialog;
    PassScript script;
    script.passes = {{400, "20", "1"}, {800, "10", "0.5"}, {1199, "30", "1"}};
    QStringList messages;
    dialog.defineIntervals(run.segments, run.Nsteps, '.', std::ref(script),
                           [&](const std::string& m) { messages << QString::fromStdString(m); });

    QCOMPARE(run.segments.bounds, (std::vector<int>{0, 400, 800, 1199}));
    QCOMPARE(run.segments.shape, (std::vector<double>{1, 4, 1}));
    QCOMPARE(run.segments.isi, (std::vector<double>{20, 10, 30}));
    QCOMPARE(script.captions,
             (QStringList{"Define interval: #1", "Define interval: #2", "Define interval: #3"}));
    QVERIFY(messages.isEmpty());
    // The shape entry shows the shape of the last stored segment.
    QCOMPARE(dialog.ShapeEntry->text(), QString("1"));
    QCOMPARE(dialog.TrackBar1->maximum(), 1199);
}

void IntervalDialogTest::farRightInTheFirstPassDefinesOneSegment() {
    RunSegments run = runOf(2000);
    TOKBottomDlg dialog;
    PassScript script;
    script.passes = {{1999, "15", "0.5"}};
    dialog.defineIntervals(run.segments, run.Nsteps, '.', std::ref(script),
                           [](const std::string&) {});
    QCOMPARE(run.segments.bounds, (std::vector<int>{0, 1999}));
    QCOMPARE(run.segments.isi, (std::vector<double>{15}));
    QCOMPARE(run.segments.shape, (std::vector<double>{4}));
    QCOMPARE(dialog.ShapeEntry->text(), QString("4"));
}

void IntervalDialogTest::passNotRightOfTheLastBoundStoresNothing() {
    RunSegments run = runOf(1200);
    TOKBottomDlg dialog;
    PassScript script;
    // Next without moving; a bound; left of it; on it; then the end.
    script.passes = {
        {0, "20", "1"}, {400, "20", "1"}, {300, "20", "1"}, {400, "20", "1"}, {1199, "20", "1"}};
    dialog.defineIntervals(run.segments, run.Nsteps, '.', std::ref(script),
                           [](const std::string&) {});

    QCOMPARE(run.segments.bounds, (std::vector<int>{0, 400, 1199}));
    QCOMPARE(run.segments.isi.size(), std::size_t{2});
    QCOMPARE(script.captions,
             (QStringList{"Define interval: #1", "Define interval: #1", "Define interval: #2",
                          "Define interval: #2", "Define interval: #2"}));
    // After a refused pass the slider stands on the last bound again.
    QCOMPARE(script.positionsShown, (std::vector<int>{0, 0, 400, 400, 400}));
}

void IntervalDialogTest::refusedEntriesAreAskedForAgain_data() {
    QTest::addColumn<QString>("isi");
    QTest::addColumn<QString>("cv");
    QTest::newRow("CV of zero") << "20"
                                << "0";
    QTest::newRow("CV not a number") << "20"
                                     << "abc";
    QTest::newRow("isi not a number") << "x1"
                                      << "1";
    QTest::newRow("isi of zero") << "0"
                                 << "1";
    QTest::newRow("empty CV") << "20"
                              << "";
}

void IntervalDialogTest::refusedEntriesAreAskedForAgain() {
    QFETCH(QString, isi);
    QFETCH(QString, cv);
    RunSegments run = runOf(1200);
    TOKBottomDlg dialog;
    PassScript script;
    script.passes = {{500, isi, cv}, {500, "25", "0.5"}, {1199, "20", "1"}};
    QStringList messages;
    dialog.defineIntervals(run.segments, run.Nsteps, '.', std::ref(script),
                           [&](const std::string& m) { messages << QString::fromStdString(m); });

    QCOMPARE(messages.size(), 1);
    QVERIFY(!messages.front().isEmpty());
    QCOMPARE(run.segments.bounds, (std::vector<int>{0, 500, 1199}));
    QCOMPARE(run.segments.isi, (std::vector<double>{25, 20}));
    QCOMPARE(run.segments.shape, (std::vector<double>{4, 1}));
    // The refused pass asked again with the same caption.
    QCOMPARE(script.captions.at(0), script.captions.at(1));
}

void IntervalDialogTest::runWithoutStepsAsksNothing() {
    for (const int steps : {0, 1}) {
        RunSegments run = runOf(steps);
        TOKBottomDlg dialog;
        PassScript script;
        dialog.defineIntervals(run.segments, run.Nsteps, '.', std::ref(script),
                               [](const std::string&) {});
        QVERIFY(script.captions.isEmpty());
        QCOMPARE(run.segments.bounds, (std::vector<int>{0}));
        QVERIFY(run.segments.isi.empty());
        QVERIFY(run.segments.shape.empty());
    }
}

void IntervalDialogTest::redefiningStartsAfresh() {
    RunSegments run = runOf(1200);
    TOKBottomDlg dialog;
    PassScript first;
    first.passes = {{300, "20", "1"}, {600, "20", "2"}, {1199, "20", "1"}};
    dialog.defineIntervals(run.segments, run.Nsteps, '.', std::ref(first),
                           [](const std::string&) {});
    QCOMPARE(run.segments.bounds.size(), std::size_t{4});

    // A shorter run: the slider starts at 0 again and ends at the new last step.
    run.Nsteps = 600;
    PassScript second;
    second.passes = {{599, "12,5", "0,5"}};
    dialog.defineIntervals(run.segments, run.Nsteps, ',', std::ref(second),
                           [](const std::string&) {});
    QCOMPARE(second.positionsShown, (std::vector<int>{0}));
    QCOMPARE(dialog.TrackBar1->maximum(), 599);
    QCOMPARE(run.segments.bounds, (std::vector<int>{0, 599}));
    QCOMPARE(run.segments.isi, (std::vector<double>{12.5}));
    QCOMPARE(run.segments.shape, (std::vector<double>{4}));
}

void IntervalDialogTest::cancelEscAndCloseBoxKeepTheSegments_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("Cancel") << 0;
    QTest::newRow("Esc") << 1;
    QTest::newRow("close box") << 2;
}

// In a real modal loop: the first pass ends with "Next", the second is left
// without it, and the segments defined before stay as they were.
void IntervalDialogTest::cancelEscAndCloseBoxKeepTheSegments() {
    QFETCH(int, way);
    RunSegments run = runOf(1200);
    run.segments.bounds = {0, 300, 1199};
    run.segments.isi = {5.0, 7.0};
    run.segments.shape = {1.0, 4.0};
    const RunSegments before = run;
    TOKBottomDlg dialog;
    int shown = 0;
    const auto modalPass = [&](TOKBottomDlg& d) {
        ++shown;
        QTimer::singleShot(0, &d, [&d, shown, way] {
            d.TrackBar1->setValue(shown == 1 ? 700 : d.TrackBar1->maximum());
            if (shown == 1)
                QTest::mouseClick(d.NextButton, Qt::LeftButton);
            else if (way == 0)
                QTest::mouseClick(d.CancelButton, Qt::LeftButton);
            else if (way == 1)
                QTest::keyClick(&d, Qt::Key_Escape);
            else
                d.close();
        });
        return d.exec();
    };
    dialog.defineIntervals(run.segments, run.Nsteps, '.', modalPass, [](const std::string&) {});
    QCOMPARE(shown, 2);
    QCOMPARE(run.segments.bounds, before.segments.bounds);
    QCOMPARE(run.segments.isi, before.segments.isi);
    QCOMPARE(run.segments.shape, before.segments.shape);
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(IntervalDialogTest)
#include "interval_dialog_test.moc"
