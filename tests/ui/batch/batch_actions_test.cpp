// "Process All!" and "ReadMulti..." clicked in the window: the result file,
// the status panels, the state of All and batchRunning, clicks during a
// batch, and the replay of a batch's output trains; the window's batch
// alone where the window adds nothing.
#include <sys/wait.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <csignal>
#include <memory>
#include <optional>

#include "records/result_file.hpp"
#include "ui/results/results_window.hpp"
#include "window_fixture.hpp"

using namespace mirvok;
using namespace mirvok::ui;

namespace {

QStringList fileLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {"<missing>"};
    QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

// Field 1 of every record line, as numbers.
QList<int> recordIndices(const QStringList& lines) {
    QList<int> indices;
    for (const QString& line : lines)
        if (!line.startsWith("NEW;")) indices << line.section(';', 0, 0).trimmed().toInt();
    return indices;
}

// The quoted input (1) or output (3) spike list of a record line.
QString recordList(const QString& line, int part) {
    return line.section('"', part, part);
}

QString listText(const std::vector<int>& steps) {
    QString text;
    for (int s : steps) text += QString("%1,").arg(s, 4);
    return text;
}

// A process of its own holding the result file at path, as another Mirvok
// writing it does, from construction to destruction; the file holds "theirs".
class OtherWriter {
  public:
    explicit OtherWriter(const std::string& path) {
        QFile file(QString::fromStdString(path));
        if (file.open(QIODevice::WriteOnly)) file.write("theirs\n");
        file.close();
        int ready[2];
        if (::pipe(ready) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            try {
                ResultFile theirs(path, ResultFileMode::Append);
                (void)!::write(ready[1], "x", 1);
                ::pause();
            } catch (...) {
            }
            ::_exit(1);  // never back into the test
        }
        // The child's end alone stays open: a child that failed ends the wait.
        ::close(ready[1]);
        char c = 0;
        (void)!::read(ready[0], &c, 1);
        ::close(ready[0]);
    }
    ~OtherWriter() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    OtherWriter(const OtherWriter&) = delete;
    OtherWriter& operator=(const OtherWriter&) = delete;

  private:
    pid_t pid_ = -1;
};

// The rows of a test made by either batch, in its column "replay".
void batchOrReplayRows() {
    QTest::addColumn<bool>("replay");
    QTest::newRow("Process All!") << false;
    QTest::newRow("ReadMulti...") << true;
}

// A first batch whose output.csv becomes source.csv, the file ReadMulti...
// is given next; false when it could not be renamed.
bool firstBatchAsSource(Window& w) {
    w.ui().All->click();
    if (!QFile::rename("output.csv", "source.csv")) return false;
    w.dialogs.openAnswers = {"source.csv"};
    return true;
}

const QRegularExpression kAverage(R"(^av[gl]: -?\d+\.\d{5}$)");

}  // namespace

class BatchActionsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    QString startDir_;

  private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale::c());
        startDir_ = QDir::currentPath();
    }
    // Every test writes its output.csv into a fresh folder.
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir::setCurrent(dir_->path()));
    }
    void cleanup() { QDir::setCurrent(startDir_); }

    void process_all_writes_a_header_and_one_record_per_iteration() {
        Window w;
        w.ui().ntests->setText("5");
        w.ui().All->click();

        const QStringList lines = fileLines("output.csv");
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines.at(0), QString("NEW;isi: 20.000000; shape: 1000.000000; #: 5"));
        QCOMPARE(recordIndices(lines), (QList<int>{0, 1, 2, 3, 4}));
        // The last record holds the train and the run the window now shows.
        QCOMPARE(recordList(lines.at(5), 1), listText(w.state.inSpikeSteps));
        QCOMPARE(recordList(lines.at(5), 3), listText(w.state.outSpikeSteps));

        QCOMPARE(w.form.StatusBar().text(0), QString("#4"));
        QCOMPARE(w.form.StatusBar().text(1), QString("output: output.csv"));
        QVERIFY(kAverage.match(w.form.StatusBar().text(3)).hasMatch());
        QVERIFY(w.form.StatusBar().text(3).startsWith("avg: "));
        QVERIFY(kAverage.match(w.form.StatusBar().text(4)).hasMatch());
        QVERIFY(w.form.StatusBar().text(4).startsWith("avl: "));
        // One redraw at the end shows the last run.
        QCOMPARE(w.form.StatusBar().text(2), QString("st: 2000"));
        QCOMPARE(w.ui().shape->text(), QString("2500"));
        QVERIFY(w.ui().All->isEnabled());
        QVERIFY(!w.form.windowState().batchRunning);
        QVERIFY(w.dialogs.messages.isEmpty());
        QCOMPARE(w.dialogs.saveStarts.size(), 0);
    }

    void del_chooses_between_truncate_and_append_data() {
        QTest::addColumn<bool>("del");
        QTest::addColumn<ResultFileMode>("mode");
        QTest::newRow("del ticked: a batch replaces the file") << true << ResultFileMode::Truncate;
        QTest::newRow("del clear: a batch follows the file") << false << ResultFileMode::Append;
    }

    void del_chooses_between_truncate_and_append() {
        QFETCH(bool, del);
        QFETCH(ResultFileMode, mode);
        Parts p;
        p.ui().FirstDel->setChecked(del);
        const std::optional<ResultTarget> target = p.batch.chooseResultFile();
        QVERIFY(target);
        QCOMPARE(target->name, std::string("output.csv"));
        QVERIFY(target->mode == mode);
    }

    void no_iteration_writes_the_header_only() {
        Window w;
        w.ui().ntests->setText("0");
        w.ui().All->click();
        QCOMPARE(fileLines("output.csv"),
                 QStringList{"NEW;isi: 20.000000; shape: 1000.000000; #: 0"});
        QCOMPARE(w.form.StatusBar().text(3), QString("avg: -"));
        QCOMPARE(w.form.StatusBar().text(4), QString("avl: -"));
    }

    void a_result_file_that_cannot_be_opened_runs_nothing_data() {
        QTest::addColumn<bool>("busy");
        QTest::newRow("in no folder") << false;
        QTest::newRow("written by another process") << true;
    }

    void a_result_file_that_cannot_be_opened_runs_nothing() {
        QFETCH(bool, busy);
        Window w;
        w.loadRegularTrain(1000, 40);
        const std::vector<int> before = w.state.inSpikeSteps;
        const QString path = dir_->filePath(busy ? "result.csv" : "no_such_folder/result.csv");
        std::optional<OtherWriter> other;
        if (busy) other.emplace(path.toStdString());
        w.ui().askfile->setChecked(true);
        w.ui().FirstDel->setChecked(!busy);  // appended to: no question before it
        w.dialogs.saveAnswers = {path};
        w.ui().All->click();

        QCOMPARE(w.dialogs.messages, QStringList{"Could not write the file " + path});
        if (busy) QCOMPARE(fileLines(path), QStringList{"theirs"});
        QCOMPARE(w.state.inSpikeSteps, before);
        QCOMPARE(w.state.curStep, 0);
        QCOMPARE(w.form.StatusBar().text(1), "output: " + path);
        QCOMPARE(w.form.StatusBar().text(3), QString("avg: -"));
        QVERIFY(w.ui().All->isEnabled());
        QVERIFY(!w.form.windowState().batchRunning);
    }

    void ask_file_cancelled_ends_the_batch_at_once() {
        Window w;
        w.loadRegularTrain(1000, 40);
        const std::vector<int> before = w.state.inSpikeSteps;
        w.ui().askfile->setChecked(true);
        w.ui().All->click();  // the save dialog answers with a cancel
        QCOMPARE(w.dialogs.saveStarts.size(), 1);
        QVERIFY(!QFile::exists("output.csv"));
        QCOMPARE(w.state.inSpikeSteps, before);
        QCOMPARE(w.form.StatusBar().text(1), QString("no ouput"));
        QCOMPARE(w.form.StatusBar().text(3), QString());
        QVERIFY(w.ui().All->isEnabled());
        QVERIFY(!w.form.windowState().batchRunning);
        QVERIFY(w.dialogs.messages.isEmpty());
    }

    void ask_file_writes_where_the_user_chose() {
        Window w;
        w.ui().ntests->setText("2");
        w.ui().askfile->setChecked(true);
        w.dialogs.saveAnswers = {dir_->filePath("chosen")};
        w.ui().All->click();
        QCOMPARE(recordIndices(fileLines(dir_->filePath("chosen.csv"))), (QList<int>{0, 1}));
        QCOMPARE(w.form.StatusBar().text(1), "output: " + dir_->filePath("chosen.csv"));
    }

    // An existing file is emptied only when the user says so (here: No);
    // with "del" clear the batch appends to it and asks nothing.
    void ask_file_asks_before_emptying_an_existing_file() {
        for (const bool del : {true, false}) {
            QFile old("chosen.csv");
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(
                "NEW;isi: 20.000000; shape: 1000.000000; #: 1\n   0; 0;0.00; "
                "0;0.00;0.00;\"\";\"\";\n");
            old.close();
            Window w;
            w.ui().ntests->setText("2");
            w.ui().askfile->setChecked(true);
            w.ui().FirstDel->setChecked(del);
            w.dialogs.saveAnswers = {dir_->filePath("chosen.csv")};  // then a cancel
            w.ui().All->click();
            QCOMPARE(w.dialogs.questions.size(), del ? 1 : 0);
            QCOMPARE(recordIndices(fileLines("chosen.csv")).size(), del ? 1 : 3);
        }
    }

    // Each train is drawn for the run it goes into: at time 20000 its spikes
    // reach the end of the 40,000 steps, not the end of the last Count!'s.
    void a_batch_draws_each_train_for_the_time_box() {
        Window w;
        w.ui().TimeEdit->setText("20000");
        w.ui().ntests->setText("1");
        w.ui().All->click();
        const QStringList steps = recordList(fileLines("output.csv").at(1), 1).split(',');
        QVERIFY2(steps.size() > 990, qPrintable(QString::number(steps.size())));
        QCOMPARE(w.state.Nsteps, 40000);
    }

    void iterations_are_read_before_every_iteration() {
        Window w;
        w.ui().ntests->setText("50");
        // Runs at the first pump, inside the first iteration.
        QTimer::singleShot(0, &w.form, [&w] { w.ui().ntests->setText("3"); });
        w.ui().All->click();
        const QStringList lines = fileLines("output.csv");
        QCOMPARE(recordIndices(lines), (QList<int>{0, 1, 2}));
        QVERIFY(lines.at(0).endsWith("#: 50"));
    }

    void clicks_that_start_work_are_ignored_during_a_batch() {
        Window w;
        w.ui().ntests->setText("20");
        int clicked = 0;
        QTimer::singleShot(0, &w.form, [&] {
            for (QPushButton* b : {w.ui().ReadButton, w.ui().ReadMultipleButton, w.ui().SaveButton,
                                   w.ui().GammaButton, w.ui().newints, w.ui().DoTest, w.ui().All,
                                   w.ui().SimulateButton}) {
                b->click();
                ++clicked;
            }
            // The boxes stay live.
            w.ui().GraphicTrace->setChecked(false);
        });
        w.ui().All->click();
        QCOMPARE(clicked, 8);
        QVERIFY(w.dialogs.openStarts.isEmpty());
        QVERIFY(w.dialogs.saveStarts.isEmpty());
        QCOMPARE(w.dialogs.dialogsShown, 0);
        QVERIFY(!w.form.Timer1().isActive());
        const QStringList lines = fileLines("output.csv");
        QCOMPARE(lines.size(), 21);
        QCOMPARE(recordIndices(lines).last(), 19);
    }

    // Every box a batch reads is converted and checked before the result
    // file is opened: with "del" ticked a refused value used to empty it.
    void a_refused_box_leaves_the_result_file_untouched_data() {
        QTest::addColumn<bool>("replay");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");  // a box's text that does not convert names the box
        const QString notFloat = "'%1' is not a valid floating point value";
        const QString notInt = "'%1' is not a valid integer value";
        QTest::newRow("iterations") << false << "ntests"
                                    << "abc" << notInt.arg("abc") << "iterations";
        QTest::newRow("gamma 1") << false << "gamma1"
                                 << "x" << notFloat.arg("x") << "gamma 1";
        QTest::newRow("CV 0") << false << "CVedit"
                              << "0"
                              << "Floating point division by zero"
                              << "Mirvok";
        QTest::newRow("time") << false << "TimeEdit"
                              << "-1"
                              << "'-1' is not a valid run length"
                              << "Mirvok";
        QTest::newRow("c0") << false << "C0Edit"
                            << "x" << notFloat.arg("x") << "c0";
        QTest::newRow("seed") << false << "seedEdit"
                              << "x" << notInt.arg("x") << "seed";
        QTest::newRow("seed below 0") << false << "seedEdit"
                                      << "-1"
                                      << "'-1' is not a valid seed"
                                      << "seed";
        QTest::newRow("Range, replay") << true << "Range"
                                       << "x" << notInt.arg("x") << "local spikes";
        QTest::newRow("start 2, replay") << true << "V2_start"
                                         << "0,8" << notFloat.arg("0,8") << "start 2";
    }

    void a_refused_box_leaves_the_result_file_untouched() {
        QFETCH(bool, replay);
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(QString, title);
        Window w;
        w.ui().ntests->setText("2");
        w.ui().All->click();
        const QStringList before = fileLines("output.csv");
        QCOMPARE(before.size(), 3);
        QVERIFY(QFile::copy("output.csv", "source.csv"));
        w.dialogs.openAnswers = {"source.csv"};
        QLineEdit* edit = w.form.findChild<QLineEdit*>(box);
        const QString good = edit->text();
        edit->setText(text);
        (replay ? w.ui().ReadMultipleButton : w.ui().All)->click();
        QCOMPARE(w.dialogs.messages, QStringList{message});
        QCOMPARE(w.dialogs.titles, QStringList{title});
        QCOMPARE(fileLines("output.csv"), before);
        QVERIFY(w.ui().All->isEnabled());
        QVERIFY(!w.form.windowState().batchRunning);
        // The window works again: a fixed box lets the next batch run.
        edit->setText(good);
        w.dialogs.openAnswers = {"source.csv"};
        (replay ? w.ui().ReadMultipleButton : w.ui().All)->click();
        QCOMPARE(recordIndices(fileLines("output.csv")), (QList<int>{0, 1}));
        QCOMPARE(w.dialogs.messages.size(), 1);
    }

    // A box emptied or half typed during a batch keeps its last valid value:
    // no message, no run cut short, no batch ended by an empty count.
    void a_box_edited_during_a_batch_keeps_its_last_valid_value() {
        Window w;
        w.ui().ntests->setText("5");
        QTimer::singleShot(0, &w.form, [&w] {
            w.ui().gamma1->setText("abc");
            w.ui().ntests->clear();
            w.ui().C0Edit->setText("0,");
        });
        w.ui().All->click();
        QVERIFY(w.dialogs.messages.isEmpty());
        const QStringList lines = fileLines("output.csv");
        QCOMPARE(recordIndices(lines), (QList<int>{0, 1, 2, 3, 4}));
        for (const QString& record : lines.mid(1))
            QVERIFY2(record.section(';', 3, 3).trimmed().toInt() > 0, qPrintable(record));
        QCOMPARE(w.state.curStep, 2000);
        // Outside a batch the box is refused again.
        w.ui().C0Edit->setText("0.3333");
        w.ui().DoTest->click();
        QCOMPARE(w.dialogs.messages, QStringList{"Error: Your inputs are probably not floats."});
    }

    // A run that fails ends the batch with its message; FILE.json still
    // says how the records before it were made, the edit that failed too.
    void a_batch_ended_by_a_failing_run_describes_its_records() {
        Window w;
        w.ui().ntests->setText("50000");
        QTimer editor;
        QObject::connect(&editor, &QTimer::timeout, &w.form, [&w] {
            if (w.form.StatusBar().text(0).mid(1).toInt() >= 3) w.ui().delta1->setText("1e308");
        });
        editor.start(0);
        w.ui().All->click();
        QCOMPARE(w.dialogs.messages.size(), 1);
        const qsizetype records = fileLines("output.csv").size() - 1;
        QVERIFY(records >= 3 && records < 50000);
        QFile json("output.csv.json");
        QVERIFY(json.open(QIODevice::ReadOnly));
        const QJsonObject entry = QJsonDocument::fromJson(json.readAll()).array().last().toObject();
        QCOMPARE(entry["runs"].toInteger(), records);
        QCOMPARE(entry["changes"].toArray().last().toObject()["delta1"].toDouble(), 1e308);
    }

    // Stop ends a batch after the record being written, with the summary of
    // the runs made; it is enabled only while the batch runs.
    void stop_ends_a_batch_after_its_current_record_data() { batchOrReplayRows(); }

    void stop_ends_a_batch_after_its_current_record() {
        QFETCH(bool, replay);
        Window w;
        w.ui().ntests->setText(replay ? "40" : "50000");
        if (replay) {
            QVERIFY(firstBatchAsSource(w));
            // Events are handled at most every 10 ms: a replay of 40 short runs
            // started at once after the batch that wrote its source could end
            // before handling any.
            QTest::qWait(20);
        }
        bool stopEnabled = false;
        QTimer::singleShot(0, &w.form, [&w, &stopEnabled] {
            stopEnabled = w.ui().StopButton->isEnabled();
            w.ui().StopButton->click();
        });
        (replay ? w.ui().ReadMultipleButton : w.ui().All)->click();
        QVERIFY(stopEnabled);
        QVERIFY(!w.ui().StopButton->isEnabled());
        const QStringList lines = fileLines("output.csv");
        const QList<int> indices = recordIndices(lines);
        QVERIFY(!indices.isEmpty() && indices.size() < (replay ? 40 : 50000));
        QVERIFY(lines.last().endsWith("\";"));
        if (!replay) QCOMPARE(w.form.StatusBar().text(0), QString("#%1").arg(indices.last()));
        QVERIFY(kAverage.match(w.form.StatusBar().text(3)).hasMatch());
        QCOMPARE(w.state.curStep, 2000);  // the last run recorded, run to its end
        QVERIFY(w.dialogs.messages.isEmpty());
    }

    void quantify_with_0_1_gives_each_train_shape_1_or_100000() {
        Window w;
        w.ui().ntests->setText("3");
        w.ui().quantify->setChecked(true);
        w.ui().c01->setChecked(true);
        w.ui().All->click();
        const QString shape = w.ui().shape->text();
        QVERIFY2(shape == "1" || shape == "100000", qPrintable(shape));
        // The header records the shape box as the batch started.
        QVERIFY(fileLines("output.csv").at(0).contains("shape: 1000.000000"));
    }

    void read_multi_replays_the_output_lists_as_inputs_data() {
        QTest::addColumn<QString>("source");
        QTest::newRow("another file") << "source.csv";
        QTest::newRow("the result file itself") << "output.csv";
    }

    void read_multi_replays_the_output_lists_as_inputs() {
        QFETCH(QString, source);
        Window w;
        w.ui().ntests->setText("6");
        w.ui().All->click();
        if (source != "output.csv") QVERIFY(QFile::rename("output.csv", source));
        const QStringList old = fileLines(source);
        QCOMPARE(old.size(), 7);
        QFile sourceFile(source);
        QVERIFY(sourceFile.open(QIODevice::ReadOnly));
        const QByteArray sourceSum =
            QCryptographicHash::hash(sourceFile.readAll(), QCryptographicHash::Sha256).toHex();
        sourceFile.close();

        w.dialogs.openAnswers = {source};
        w.ui().ntests->setText("9");  // only the header's count
        w.ui().ReadMultipleButton->click();
        const QStringList lines = fileLines("output.csv");
        QCOMPARE(lines.size(), 7);
        QVERIFY(lines.at(0).endsWith("#: 9"));
        QCOMPARE(recordIndices(lines), (QList<int>{0, 1, 2, 3, 4, 5}));
        for (int k = 1; k <= 6; ++k) QCOMPARE(recordList(lines.at(k), 1), recordList(old.at(k), 3));
        QCOMPARE(w.form.StatusBar().text(1), QString("output: output.csv"));
        QVERIFY(w.form.StatusBar().text(3).startsWith("avg: "));
        QVERIFY(w.ui().All->isEnabled());
        QVERIFY(!w.form.windowState().batchRunning);
        QVERIFY(w.dialogs.messages.isEmpty());
        // FILE.json: a replay is asked for the records of its source.
        QFile record("output.csv.json");
        QVERIFY(record.open(QIODevice::ReadOnly));
        const QJsonObject entry =
            QJsonDocument::fromJson(record.readAll()).array().last().toObject();
        QCOMPARE(entry["iterations"].toInt(), 6);
        QCOMPARE(entry["runs"].toInt(), 6);
        // ... and names its source as it was read, for verify.
        QCOMPARE(entry["source_sha256"].toString().toLatin1(), sourceSum);
    }

    void read_multi_that_finds_no_file_does_nothing_data() {
        QTest::addColumn<QString>("answer");
        QTest::newRow("cancelled dialog") << QString();
        QTest::newRow("no such file") << "missing.csv";
    }

    void read_multi_that_finds_no_file_does_nothing() {
        QFETCH(QString, answer);
        Window w;
        if (!answer.isEmpty()) w.dialogs.openAnswers = {answer};
        w.ui().ReadMultipleButton->click();
        QVERIFY(!QFile::exists("output.csv"));
        QCOMPARE(w.form.StatusBar().text(1), QString("no ouput"));
        QVERIFY(w.dialogs.messages.isEmpty());
        QVERIFY(w.ui().All->isEnabled());
    }

    void read_multi_of_a_file_that_cannot_be_read_says_so() {
        Window w;
        QVERIFY(QDir().mkdir("folder.csv"));
        w.dialogs.openAnswers = {"folder.csv"};
        w.ui().ReadMultipleButton->click();
        QCOMPARE(w.dialogs.messages,
                 QStringList{"Could not read the file " + dir_->filePath("folder.csv")});
        QVERIFY(!QFile::exists("output.csv"));
        QVERIFY(w.ui().All->isEnabled());
        QVERIFY(!w.form.windowState().batchRunning);
    }

    void process_all_during_a_continuous_run_ends_that_run_first() {
        Window w;
        w.ui().ntests->setText("2");
        w.ui().SimulateButton->click();
        QVERIFY(w.form.Timer1().isActive());
        w.ui().All->click();
        QVERIFY(!w.form.Timer1().isActive());
        QVERIFY(!w.ui().StopButton->isEnabled());
        QVERIFY(w.ui().SimulateButton->isEnabled());
        QCOMPARE(recordIndices(fileLines("output.csv")), (QList<int>{0, 1}));
        QCOMPARE(w.state.curStep, 2000);
    }

    // Whichever batch starts, and whether the watched run ticks or is paused,
    // that run ends first: afterwards the window is idle, not left with Stop
    // and Pause enabled over a stopped timer and Read..., Save... disabled.
    void a_batch_ends_a_watched_run_first_data() {
        QTest::addColumn<bool>("replay");
        QTest::addColumn<bool>("paused");
        QTest::newRow("Process All!, running") << false << false;
        QTest::newRow("Process All!, paused") << false << true;
        QTest::newRow("ReadMulti..., running") << true << false;
        QTest::newRow("ReadMulti..., paused") << true << true;
    }

    void a_batch_ends_a_watched_run_first() {
        QFETCH(bool, replay);
        QFETCH(bool, paused);
        Window w;
        w.ui().ntests->setText("2");
        if (replay) {
            QVERIFY(firstBatchAsSource(w));
        }
        w.ui().SimulateButton->click();
        QTRY_VERIFY(w.state.curStep > 2);
        if (paused) w.ui().PauseButton->click();
        (replay ? w.ui().ReadMultipleButton : w.ui().All)->click();

        QCOMPARE(recordIndices(fileLines("output.csv")), (QList<int>{0, 1}));
        QCOMPARE(w.state.curStep, 2000);
        QTest::qWait(20);
        QCOMPARE(w.state.curStep, 2000);
        QVERIFY(!w.form.Timer1().isActive());
        QVERIFY(!w.ui().StopButton->isEnabled());
        QVERIFY(!w.ui().PauseButton->isEnabled());
        const QList<QWidget*> idleOn = {w.ui().SimulateButton, w.ui().ReadButton, w.ui().SaveButton,
                                        w.ui().MaxDiff,        w.ui().ZeroDiff,   w.ui().All};
        for (QWidget* on : idleOn) QVERIFY2(on->isEnabled(), qPrintable(on->objectName()));
        QVERIFY(w.dialogs.messages.isEmpty());
    }

    // After a batch the status panels, the value boxes and the local-CV list
    // show the run the rasters show, the batch's last, not the values of a
    // watched run stopped before it: they are what Count! shows for that train.
    void after_a_batch_the_status_bar_shows_its_last_run_data() { batchOrReplayRows(); }

    void after_a_batch_the_status_bar_shows_its_last_run() {
        QFETCH(bool, replay);
        Window w;
        w.ui().ntests->setText("3");
        if (replay) {
            QVERIFY(firstBatchAsSource(w));
        }
        w.loadRegularTrain(1000, 30);
        w.ui().SimulateButton->click();
        QTRY_VERIFY(w.state.curStep > 20);
        w.ui().StopButton->click();
        const auto shown = [&w] {
            QStringList texts;
            for (int panel : {2, 5, 6, 7, 8}) texts << w.form.StatusBar().text(panel);
            texts << w.ui().V1_act->text() << w.ui().V2_act->text() << w.ui().Vdiff->text();
            texts << listLines(w.ui().VariBox);
            return texts;
        };
        const QStringList stopped = shown();

        (replay ? w.ui().ReadMultipleButton : w.ui().All)->click();
        const QStringList lines = fileLines("output.csv");
        QCOMPARE(recordList(lines.last(), 3), listText(w.state.outSpikeSteps));
        const QStringList afterBatch = shown();
        QVERIFY(afterBatch != stopped);
        w.ui().DoTest->click();
        QCOMPARE(afterBatch, shown());
        QVERIFY(w.dialogs.messages.isEmpty());
    }

    // While a batch or replay runs, panel 0's tooltip and the results window
    // tell how far it has come of the total, its pace and the time left;
    // after it, how many runs it made.
    void panel_0_and_the_results_window_show_a_batchs_progress_data() { batchOrReplayRows(); }

    void panel_0_and_the_results_window_show_a_batchs_progress() {
        QFETCH(bool, replay);
        Window w;
        const QString total = replay ? "5000" : "50000";
        w.ui().ntests->setText(total);
        if (replay) {
            QFile source("source.csv");
            QVERIFY(source.open(QIODevice::WriteOnly));
            source.write("NEW;isi: 20.000000; shape: 1000.000000; #: 5000\n");
            QByteArray list;
            for (int step = 40; step < 2000; step += 40) list += QByteArray::number(step) + ",";
            for (int k = 0; k < 5000; ++k)
                source.write("   0; 0;0.00; 0;0.00;0.00;\"\";\"" + list + "\";\n");
            source.close();
            w.dialogs.openAnswers = {"source.csv"};
        }
        w.ui().ResultsButton->click();
        const auto* results = w.form.findChild<ResultsWindow*>();
        QVERIFY(results);
        QString tooltip, resultsText;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, &w.form, [&] {
            const QString tip = w.form.StatusBar().panel(0)->toolTip();
            if (!tooltip.isEmpty() || !tip.contains("runs/s")) return;
            tooltip = tip;
            resultsText = results->progress();
            w.ui().StopButton->click();
        });
        watch.start(0);
        (replay ? w.ui().ReadMultipleButton : w.ui().All)->click();

        const QRegularExpression running("^\\d+ of " + total + ", \\d+ runs/s, \\d+:\\d\\d left$");
        QVERIFY2(running.match(tooltip).hasMatch(), qPrintable(tooltip));
        QCOMPARE(resultsText, tooltip);
        const int records = recordIndices(fileLines("output.csv")).size();
        const QRegularExpression ended(QString("^%1 of %2, \\d+ runs/s$").arg(records).arg(total));
        QVERIFY2(ended.match(results->progress()).hasMatch(), qPrintable(results->progress()));
    }

    // Steps outside the run and damaged records (a line cut inside its
    // output list) are passed over and said in one message.
    void read_multi_says_in_one_message_what_it_passed_over() {
        QFile file("source.csv");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "NEW;isi: 20.000000; shape: 1000.000000; #: 1\n"
            "   0; 1;0.00; 3;1.00;0.00;\"  10,\";\"  10, 500,5000,\";\n"
            "NEW;isi: 20.000000; shape: 1000.000000; #: 1\n"
            "   0; 1;0.00; 1;1.00;0.00;\"  10,\";\"  -3,\";\n"
            "   1; 2;0.00; 2;1.00;0.00;\"  10,  50,\";\"  10,  5\n");
        file.close();
        Window w;
        w.dialogs.openAnswers = {"source.csv"};
        w.ui().ReadMultipleButton->click();
        const QStringList lines = fileLines("output.csv");
        QCOMPARE(recordIndices(lines), (QList<int>{0, 1}));
        QCOMPARE(recordList(lines.at(1), 1), QString("  10, 500,"));
        QCOMPARE(recordList(lines.at(2), 1), QString());
        QCOMPARE(w.dialogs.messages, QStringList{"1 damaged record was skipped\n"
                                                 "2 spike steps outside 0 to 1999 were skipped"});
    }
};

QTEST_MAIN(BatchActionsTest)
#include "batch_actions_test.moc"
