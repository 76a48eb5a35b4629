// "Process All!" of 1,000 iterations at the window's defaults, clicked in the
// window (offscreen), against `mirvok-cli batch --iterations 1000 --threads 1`
// at the same settings, timed side by side in one run. The counter "ratio"
// is the window's mean wall time over the command line's, "best_ratio" the
// same for the fastest run of each, "cpu_ratio" for the CPU time each used.
//
// The command-line tool is taken from $MIRVOK_CLI, else from the bin folder
// of the build that holds this benchmark (build/bin for `make bench`).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <memory>
#include <stdexcept>

#include "model/sim_state.hpp"
#include "random/random_source.hpp"
#include "ui/dialogs/scripted/scripted_dialogs.hpp"
#include "ui/tform1.hpp"
#include "ui/window/form_controls.hpp"

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
    // build/<dir>/bin for test-type builds, build/bin for the release build.
    const QString here = QCoreApplication::applicationDirPath();
    for (const char* relative : {"/../bin/mirvok-cli", "/../../bin/mirvok-cli"}) {
        const QString candidate = here + QString::fromUtf8(relative);
        if (QFileInfo::exists(candidate)) return candidate;
    }
    return QStringLiteral("mirvok-cli");
}

double seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// CPU seconds (user and system) used so far by this process or, with
// RUSAGE_CHILDREN, by its finished children: on a busy machine they vary far
// less than wall time.
double cpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    const auto s = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return s(usage.ru_utime) + s(usage.ru_stime);
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
    double windowCpu = 0.0;
    double cliCpu = 0.0;
    double windowBest = 1e300;
    double cliBest = 1e300;
    try {
        for (auto _ : bench) {
            const double selfBefore = cpuSeconds(RUSAGE_SELF);
            const double window = windowBatchSeconds();
            windowCpu += cpuSeconds(RUSAGE_SELF) - selfBefore;
            const double childrenBefore = cpuSeconds(RUSAGE_CHILDREN);
            const double cli = cliBatchSeconds(dir.filePath("cli.csv"));
            cliCpu += cpuSeconds(RUSAGE_CHILDREN) - childrenBefore;
            windowTotal += window;
            cliTotal += cli;
            windowBest = std::min(windowBest, window);
            cliBest = std::min(cliBest, cli);
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
    bench.counters["cpu_ratio"] = cliCpu > 0.0 ? windowCpu / cliCpu : 0.0;
    // The fastest of each: the least disturbed by other work on the machine.
    bench.counters["best_ratio"] = cliBest < 1e300 ? windowBest / cliBest : 0.0;
}
BENCHMARK(BM_ProcessAllWindowVsCli)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
