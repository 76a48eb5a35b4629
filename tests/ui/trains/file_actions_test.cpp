// "Save..." clicked in the window: the spike list file, panel 1, the shared
// save dialog name, cancel and write failures.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "../../support/other_writer.hpp"
#include "window_fixture.hpp"

using namespace mirvok;
using namespace mirvok::ui;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "<missing>";
    return file.readAll();
}

}  // namespace

class FileActionsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void save_writes_the_output_list_without_line_end_data() {
        QTest::addColumn<std::vector<int>>("steps");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("three spikes") << std::vector<int>{12, 57, 103} << QByteArray("12,57,103,");
        QTest::newRow("no spike") << std::vector<int>{} << QByteArray("");
        QTest::newRow("wide steps") << std::vector<int>{0, 12345} << QByteArray("0,12345,");
    }

    void save_writes_the_output_list_without_line_end() {
        QFETCH(std::vector<int>, steps);
        QFETCH(QByteArray, text);
        QTemporaryDir dir;
        Window w;
        w.state.outSpikeSteps = steps;
        const QString path = dir.filePath("spikes.txt");
        w.dialogs.saveAnswers = {path};
        w.ui().SaveButton->click();
        QCOMPARE(contents(path), text);
        QCOMPARE(w.form.StatusBar().text(1), QString("%1 sps %2").arg(steps.size()).arg(path));
        QVERIFY(w.dialogs.messages.isEmpty());
    }

    void saved_output_of_a_run_reads_back_as_its_input() {
        QTemporaryDir dir;
        Window w;
        w.loadRegularTrain(1000, 40);
        w.ui().DoTest->click();
        QVERIFY(!w.state.outSpikeSteps.empty());
        const std::vector<int> output = w.state.outSpikeSteps;
        w.dialogs.saveAnswers = {dir.filePath("run")};
        w.ui().SaveButton->click();
        // The save dialog adds its default extension.
        QVERIFY(QFile::exists(dir.filePath("run.csv")));

        w.dialogs.openAnswers = {dir.filePath("run.csv")};
        w.ui().ReadButton->click();
        QCOMPARE(w.state.inSpikeSteps, output);
    }

    void save_cancelled_writes_nothing() {
        QTemporaryDir dir;
        Window w;
        w.state.outSpikeSteps = {5, 9};
        w.dialogs.saveAnswers = {dir.filePath("first.txt")};
        w.ui().SaveButton->click();
        w.state.outSpikeSteps = {1};
        w.ui().SaveButton->click();  // no answer: cancelled
        QCOMPARE(contents(dir.filePath("first.txt")), QByteArray("5,9,"));
        QCOMPARE(w.form.StatusBar().text(1), "2 sps " + dir.filePath("first.txt"));
        // The dialog opened on the name it held.
        QCOMPARE(w.dialogs.saveStarts.at(1), dir.filePath("first.txt"));
    }

    // One Enter after a batch must not put a spike list over its results.
    void save_proposes_a_spike_list_not_the_batch_results() {
        InTempFolder folder;
        Window w;
        w.ui().ntests->setText("1");
        w.ui().All->click();
        w.ui().SaveButton->click();  // cancelled
        QCOMPARE(w.dialogs.saveStarts, QStringList{"spikes.csv"});
    }

    void save_asks_before_replacing_a_file_data() {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("new file: no question") << false << false << QByteArray("5,9,");
        QTest::newRow("existing, Yes: replaced") << true << true << QByteArray("5,9,");
        QTest::newRow("existing, No: kept") << true << false << QByteArray("old");
    }

    void save_asks_before_replacing_a_file() {
        QFETCH(bool, exists);
        QFETCH(bool, yes);
        QFETCH(QByteArray, text);
        QTemporaryDir dir;
        const QString path = dir.filePath("spikes.csv");
        if (exists) {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old");
        }
        Window w;
        w.state.outSpikeSteps = {5, 9};
        w.dialogs.saveAnswers = {path};  // after a No the dialog comes again: cancelled
        w.dialogs.questionAnswers = {yes};
        w.ui().SaveButton->click();
        QCOMPARE(w.dialogs.questions.size(), exists ? 1 : 0);
        QCOMPARE(contents(path), text);
    }

    void save_that_cannot_write_says_so_and_keeps_panel_1() {
        QTemporaryDir dir;
        Window w;
        w.state.outSpikeSteps = {5, 9};
        const QString path = dir.filePath("no_such_folder/spikes.txt");
        w.dialogs.saveAnswers = {path};
        w.ui().SaveButton->click();
        QCOMPARE(w.dialogs.messages, QStringList{"Could not write the file " + path});
        QCOMPARE(w.form.StatusBar().text(1), QString("no ouput"));
    }

    void save_over_a_file_another_process_writes_says_so_and_keeps_it() {
        QTemporaryDir dir;
        const QString path = dir.filePath("spikes.csv");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("theirs") == 6);
        old.close();
        const mirvok::testing::OtherWriter other(path.toStdString());
        QVERIFY(other.held());
        Window w;
        w.state.outSpikeSteps = {5, 9};
        w.dialogs.saveAnswers = {path};
        w.dialogs.questionAnswers = {true};
        w.ui().SaveButton->click();
        QCOMPARE(w.dialogs.messages,
                 QStringList{path + " is being written by another Mirvok process (pid " +
                             QString::number(other.pid()) + ")"});
        QCOMPARE(contents(path), QByteArray("theirs"));
        QCOMPARE(w.form.StatusBar().text(1), QString("no ouput"));
    }
};

QTEST_MAIN(FileActionsTest)
#include "file_actions_test.moc"
