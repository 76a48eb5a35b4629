// "Process All!" of 1,000 iterations at the window's defaults, clicked in the
// window (offscreen), against `mirvok-cli batch --iterations 1000 --threads 1`
// at the same settings, timed side by side in one run. The counter "ratio"
// is the window's wall time over the command line's.
//
// The command-line tool is taken from $MIRVOK_CLI, else from the bin folder
// of the build that holds this benchmark (../bin/mirvok-cli).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <chrono>
#include <memory>
#include <stdexcept>

#include "model/sim_state.hpp"
#include "trains/random_source.hpp"
#include "ui/form_controls.hpp"
#include "ui/scripted_dialogs.hpp"
#include "ui/tform1.hpp"

namespace {

constexpr int kIterations = 1000;

QApplication& application() {
    static int argc = 1;
    static char name[] = "ui_process_all_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

QString cliProgram() {
    const QByteArray fromEnv = qgetenv("MIRVOK_CLI");
    if (!fromEnv.isEmpty()) return QString::fromLocal8Bit(fromEnv);
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/mirvok-cli");
}

double seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// One batch clicked in a fresh window; output.csv lands in the current folder.
double windowBatchSeconds() {
    mirvok::SimState state;
    mirvok::Pcg31 random(1);
    mirvok::ui::ScriptedDialogs dialogs;
    mirvok::ui::TForm1 form(state, random, dialogs);
    form.ui().ntests->setText(QString::number(kIterations));
    const auto start = std::chrono::steady_clock::now();
    form.ui().All->click();
    const double elapsed = seconds(std::chrono::steady_clock::now() - start);
    if (!dialogs.messages.isEmpty())
        throw std::runtime_error(dialogs.messages.front().toStdString());
    return elapsed;
}

double cliBatchSeconds(const QString& output) {
    QProcess cli;
    const QStringList args{"batch",
                           "--iterations",
                           QString::number(kIterations),
                           "--threads",
                           "1",
                           "--seed",
                           "1",
                           "--quiet",
                           "--output",
                           output};
    const auto start = std::chrono::steady_clock::now();
    cli.start(cliProgram(), args);
    if (!cli.waitForFinished(-1) || cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != 0)
        throw std::runtime_error("mirvok-cli failed: " + cli.readAllStandardError().toStdString());
    return seconds(std::chrono::steady_clock::now() - start);
}

int lineCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    return static_cast<int>(file.readAll().count('\n'));
}

void BM_ProcessAllWindowVsCli(benchmark::State& bench) {
    application();
    QLocale::setDefault(QLocale::c());
    QTemporaryDir dir;
    const QString startDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    double windowTotal = 0.0;
    double cliTotal = 0.0;
    try {
        for (auto _ : bench) {
            const double window = windowBatchSeconds();
            const double cli = cliBatchSeconds(dir.filePath("cli.csv"));
            windowTotal += window;
            cliTotal += cli;
            bench.SetIterationTime(window + cli);
        }
        if (lineCount("output.csv") != kIterations + 1 ||
            lineCount(dir.filePath("cli.csv")) != kIterations + 1)
            bench.SkipWithError("a batch did not write its 1001 lines");
    } catch (const std::exception& e) {
        bench.SkipWithError(e.what());
    }
    QDir::setCurrent(startDir);
    const double n = static_cast<double>(bench.iterations());
    bench.counters["window_ms"] = 1000.0 * windowTotal / n;
    bench.counters["cli_ms"] = 1000.0 * cliTotal / n;
    bench.counters["ratio"] = cliTotal > 0.0 ? windowTotal / cliTotal : 0.0;
}
BENCHMARK(BM_ProcessAllWindowVsCli)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
