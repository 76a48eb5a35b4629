// "Verify..." of the results window on a window batch's result file: its
// closing line, and the file and the simulation left as they were.
#include "ui/results/verify_row.hpp"

#include <QFile>
#include <QPushButton>
#include <QtTest>

#include "ui/results/results_window.hpp"
#include "window_fixture.hpp"

using namespace mirvok::ui;

class VerifyRowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void verify_checks_a_chosen_file_and_touches_nothing() {
        InTempFolder folder;
        Window w;
        w.ui().ntests->setText("7");
        w.ui().All->click();
        w.ui().ResultsButton->click();
        auto* results = w.form.findChild<ResultsWindow*>();
        QVERIFY(results);
        QFile file("output.csv");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const std::vector<int> shown = w.state.inSpikeSteps;

        w.dialogs.openAnswers = {"output.csv"};
        results->verifyRow()->button()->click();
        QTRY_VERIFY(!results->verifyRow()->running());
        QCOMPARE(results->verifyRow()->status(), QString("7 records checked, 0 differ"));
        QVERIFY(w.dialogs.messages.last().endsWith("\n7 records checked, 0 differ") ||
                w.dialogs.messages.last() == "7 records checked, 0 differ");
        QVERIFY(file.seek(0));
        QCOMPARE(file.readAll(), bytes);
        QCOMPARE(w.state.inSpikeSteps, shown);
    }
};

QTEST_MAIN(VerifyRowTest)
#include "verify_row_test.moc"
