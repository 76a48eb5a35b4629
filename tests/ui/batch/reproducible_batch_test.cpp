// "Process All!" from a seed: the command line's bytes, the seed shown and
// recorded (also when the window is closed during the batch), and the
// command line "copy command" puts on the clipboard.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTimer>
#include <QtTest>

#include "verify/verify.hpp"
#include "window_fixture.hpp"

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Runs a shell command line with the built mirvok-cli first on the PATH.
int runShell(const QString& line) {
    QProcess shell;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PATH", QFileInfo(MIRVOK_CLI).absolutePath() + ':' + env.value("PATH"));
    shell.setProcessEnvironment(env);
    shell.start("/bin/sh", {"-c", line});
    shell.waitForFinished(-1);
    return shell.exitCode();
}

}  // namespace

class ReproducibleBatchTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void a_window_batch_with_a_seed_writes_the_command_lines_bytes() {
        InTempFolder folder;
        Window w;
        w.ui().ntests->setText("30");
        w.ui().seedEdit->setText("7");
        w.ui().shape->setText("2500");  // 1/CV^2, as after GammaGen!: the header the CLI writes
        w.ui().All->click();
        QCOMPARE(w.dialogs.messages, QStringList{});
        QCOMPARE(runShell("mirvok-cli batch --iterations 30 --seed 7 --threads 1 --quiet "
                          "--output cli.csv"),
                 0);
        QCOMPARE(fileBytes("output.csv"), fileBytes("cli.csv"));
        QCOMPARE(w.ui().seedEdit->text(), QString("7"));
    }

    void the_seed_shown_typed_back_repeats_the_batch() {
        InTempFolder folder;
        Window w;
        w.ui().ntests->setText("5");
        w.ui().shape->setText("2500");  // the shape every train of the batch writes there
        w.ui().All->click();
        QVERIFY(w.ui().seedEdit->text().isEmpty());  // the next batch is a new one
        const QString panel = w.form.StatusBar().text(10);
        QVERIFY2(panel.startsWith("seed: "), qPrintable(panel));
        const QString seed = panel.mid(6);
        const QByteArray first = fileBytes("output.csv");
        const QByteArray record = fileBytes("output.csv.json");
        QVERIFY(record.contains("\"program\":\"mirvok\""));
        QVERIFY(record.contains("\"seed\":" + seed.toUtf8()));

        w.ui().seedEdit->setText(seed);
        w.ui().All->click();
        QCOMPARE(fileBytes("output.csv"), first);
        QCOMPARE(w.form.StatusBar().text(10), panel);

        // A batch shows its own seed from its start on, a replay none.
        w.ui().seedEdit->setText("12345");
        w.ui().ntests->setText("100000");
        QString during;
        QTimer::singleShot(0, &w.form, [&] {
            during = w.form.StatusBar().text(10);
            w.ui().StopButton->click();
        });
        w.ui().All->click();
        QCOMPARE(during, QString("seed: 12345"));
        w.dialogs.openAnswers = {"output.csv"};
        w.ui().ReadMultipleButton->click();
        QCOMPARE(w.form.StatusBar().text(10), QString());
    }

    // A window replay and `mirvok-cli replay` record the same values: neither
    // names a generator value the replay does not read.
    void a_window_replay_records_the_values_the_command_line_records() {
        InTempFolder folder;
        Window w;
        w.ui().ntests->setText("3");
        w.ui().All->click();
        QVERIFY(QFile::copy("output.csv", "source.csv"));
        w.dialogs.openAnswers = {"source.csv"};
        w.ui().ReadMultipleButton->click();
        QCOMPARE(w.dialogs.messages, QStringList{});
        QCOMPARE(runShell("mirvok-cli replay source.csv --quiet --output cli.csv"), 0);
        const auto values = [](const QString& file) {
            const QJsonArray entries = QJsonDocument::fromJson(fileBytes(file)).array();
            return entries.last().toObject()["values"].toObject();
        };
        QCOMPARE(values("output.csv.json"), values("cli.csv.json"));
    }

    // Closing the window ends a batch of the clock's seed after its last
    // record, and FILE.json still says how to make those records again.
    void closing_the_window_during_a_batch_records_its_seed() {
        InTempFolder folder;
        QByteArray made;
        {
            Window w;
            w.form.show();
            w.ui().ntests->setText("50000");
            QTimer closer;
            QObject::connect(&closer, &QTimer::timeout, &w.form, [&w] {
                if (w.form.StatusBar().text(0).mid(1).toInt() >= 3) w.form.close();
            });
            closer.start(0);
            w.ui().All->click();
            QVERIFY(w.form.isHidden());
            made = fileBytes("output.csv");
        }
        const QJsonArray entries = QJsonDocument::fromJson(fileBytes("output.csv.json")).array();
        QCOMPARE(entries.size(), 1);
        const QJsonObject entry = entries.first().toObject();
        const int runs = entry["runs"].toInt();
        QCOMPARE(made.count('\n'), 1 + runs);
        QVERIFY(runs >= 3 && runs < 50000);

        Window again;
        again.ui().ntests->setText(QString::number(runs));
        again.ui().seedEdit->setText(QString::number(entry["seed"].toInteger()));
        again.ui().All->click();
        // The header names the count asked for; the records are the same.
        const QByteArray remade = fileBytes("output.csv");
        QCOMPARE(remade.mid(remade.indexOf('\n')), made.mid(made.indexOf('\n')));
    }

    // Boxes edited while a batch runs: FILE.json lists each edit from the
    // run that read it first, so that every record is made again with the
    // values its run read (but a run that read two values of a rate), and
    // the header keeps the count the batch started with.
    void a_batch_whose_boxes_were_edited_is_made_again_record_by_record() {
        InTempFolder folder;
        Window w;
        w.ui().ntests->setText("300");
        w.ui().TimeEdit->setText("3000");
        QTimer editor;
        QObject::connect(&editor, &QTimer::timeout, &w.form, [&w] {
            const int run = w.form.StatusBar().text(0).mid(1).toInt();
            if (run >= 40 && w.ui().CVedit->text() != "0.5") {
                w.ui().CVedit->setText("0.5");
                w.ui().gamma2->setText("0.008");
                w.ui().C0Edit->setText("0.5");
            }
            if (run >= 80 && w.ui().ntests->text() != "250") w.ui().ntests->setText("250");
        });
        editor.start(0);
        w.ui().All->click();
        const QJsonObject entry =
            QJsonDocument::fromJson(fileBytes("output.csv.json")).array().last().toObject();
        QCOMPARE(entry["iterations"].toInt(), 300);
        QCOMPARE(entry["runs"].toInt(), 250);
        const QJsonArray changes = entry["changes"].toArray();
        QVERIFY(changes.size() >= 2);
        QCOMPARE(changes.last().toObject()["iterations"].toInt(), 250);
        QVERIFY(
            fileBytes("output.csv").startsWith("NEW;isi: 20.000000; shape: 1000.000000; #: 300"));

        mirvok::VerifySettings settings;
        settings.run.threads = 2;
        const mirvok::VerifyReport report = mirvok::verifyPath("output.csv", settings);
        QCOMPARE(report.differences, std::vector<std::string>{});
        QCOMPARE(report.checked + static_cast<long long>(report.inexact.size()), 250LL);

        // The header the window wrote is checked whole, its shape box too.
        QByteArray bytes = fileBytes("output.csv");
        bytes.replace("shape: 1000.000000", "shape: 1001.000000");
        QFile file("output.csv");
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        QCOMPARE(mirvok::verifyPath("output.csv", settings).differences,
                 std::vector<std::string>{
                     "header (line 1): shape: found 1001.000000, expected 1000.000000"});

        // The batch's trains set the shape box to the CV's; typed over, the
        // copied line's header would differ, and copying says so.
        w.ui().CopyCommandButton->click();
        QVERIFY(w.dialogs.messages.isEmpty());
        w.ui().shape->setText("1000");
        w.ui().CopyCommandButton->click();
        QVERIFY(!w.dialogs.messages.isEmpty());
        QVERIFY2(w.dialogs.messages.last().contains("(shape: 1000.000000)"),
                 qPrintable(w.dialogs.messages.last()));
    }

    // The line copied after a batch with changed boxes, "del" clear and a
    // comma as the decimal separator, run in a shell, writes the same file.
    void the_copied_command_line_writes_the_windows_file() {
        InTempFolder folder;
        QLocale::setDefault(QLocale(QLocale::German));
        Window w;
        w.ui().ntests->setText("8");
        w.ui().isi->setText("12,5");
        w.ui().CVedit->setText("0,25");
        w.ui().shape->setText("16");
        w.ui().gamma2->setText("0,008");
        w.ui().Range->setText("4");
        w.ui().quantify->setChecked(true);
        w.ui().FirstDel->setChecked(false);
        w.ui().All->click();
        QCOMPARE(w.dialogs.messages, QStringList{});
        w.ui().CopyCommandButton->click();
        QLocale::setDefault(QLocale::c());
        const QString line = QGuiApplication::clipboard()->text();
        QVERIFY2(line.startsWith("mirvok-cli batch "), qPrintable(line));
        QVERIFY(QFile::copy("output.csv", "window.csv"));
        QVERIFY(QFile::resize("output.csv", 0));
        QCOMPARE(runShell(line + " --quiet"), 0);
        QCOMPARE(fileBytes("output.csv"), fileBytes("window.csv"));
    }

    // With "different intervals" the copied line carries them as --segment.
    void the_copied_command_line_carries_the_intervals_defined() {
        InTempFolder folder;
        Window w;
        w.ui().ntests->setText("5");
        w.ui().shape->setText("2500");  // the header the command line writes
        w.dialogs.dialogScripts = {intervalPass(999, "10", "0.3"), intervalPass(1999, "30", "1")};
        w.ui().newints->click();
        w.ui().diffintervals->setChecked(true);
        w.ui().All->click();
        QCOMPARE(w.dialogs.messages, QStringList{});
        w.ui().CopyCommandButton->click();
        const QString line = QGuiApplication::clipboard()->text();
        QVERIFY2(line.contains("--segment 999:10:0.3") && line.contains("--segment 1999:30:1 "),
                 qPrintable(line));
        QVERIFY(QFile::rename("output.csv", "window.csv"));
        QCOMPARE(runShell(line + " --quiet"), 0);
        QCOMPARE(fileBytes("output.csv"), fileBytes("window.csv"));
    }
};

QTEST_MAIN(ReproducibleBatchTest)
#include "reproducible_batch_test.moc"
