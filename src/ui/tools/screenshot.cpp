// Writes a picture of the main window after a Count! on a generated train
// with the default boxes and, given a second file, one of the results
// window after a 200-run batch, and given a third and the command-line
// tool, one of the sweep browser over a sweep that tool runs, and given two
// more, the results window after a Count! at CV 0.0001 (every local window
// at 0) and the main window after a Count! of about 10,000,000 spikes, all
// rendered offscreen, for the README.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

#include "model/sim_state.hpp"
#include "random/random_source.hpp"
#include "trains/gamma_generator.hpp"
#include "ui/dialogs/scripted/scripted_dialogs.hpp"
#include "ui/results/results_window.hpp"
#include "ui/sweeps/sweep_browser.hpp"
#include "ui/tform1.hpp"

namespace {

// The generator's default entries, for a build whose "GammaGen!" does nothing yet.
struct DefaultEntries final : mirvok::GeneratorEntries {
    double cv() override { return 0.02; }
    void writeShape(const std::string&) override {}
    double shape() override { return 2500.0; }
    double isi() override { return 20.0; }
    double isiJitter() override { return 0.0; }
};

bool save(QWidget& widget, const char* path) {
    if (widget.grab().save(QString::fromLocal8Bit(path))) return true;
    std::fprintf(stderr, "could not write %s\n", path);
    return false;
}

// A quantified batch of 200 runs from a fixed seed (its trains spread over
// many CVs), written into a folder of its own, and the results window.
bool saveResults(mirvok::ui::TForm1& form, QApplication& app, const char* path) {
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    form.ui().ntests->setText(QStringLiteral("200"));
    form.ui().seedEdit->setText(QStringLiteral("7"));
    form.ui().quantify->setChecked(true);
    form.ui().All->click();
    form.ui().quantify->setChecked(false);
    QDir::setCurrent(previous);
    form.ui().ResultsButton->click();
    auto* results = form.findChild<mirvok::ui::ResultsWindow*>();
    if (!results) return false;
    app.processEvents();
    return save(*results, path);
}

// The README's sweep, q against cv with a line per gamma1, on fewer runs,
// run by the command-line tool into a folder of its own.
bool saveSweep(mirvok::ui::TForm1& form, QApplication& app, const char* path, const char* cli) {
    QTemporaryDir folder;
    const QString out = folder.filePath(QStringLiteral("cv-gamma1"));
    QProcess sweep;
    sweep.start(QString::fromLocal8Bit(cli),
                {QStringLiteral("sweep"), QStringLiteral("--vary"), QStringLiteral("cv=0.1:1:0.1"),
                 QStringLiteral("--vary"), QStringLiteral("gamma1=0.006,0.009,0.012"),
                 QStringLiteral("--iterations"), QStringLiteral("200"), QStringLiteral("--seed"),
                 QStringLiteral("1"), QStringLiteral("--out"), out, QStringLiteral("--quiet")});
    if (!sweep.waitForFinished(600000) || sweep.exitCode() != 0) {
        std::fprintf(stderr, "the sweep failed: %s\n", sweep.readAllStandardError().constData());
        return false;
    }
    form.openSweep(out);
    auto* browser = form.findChild<mirvok::ui::SweepBrowser*>();
    if (!browser) return false;
    browser->choose({6, false, 0, 1, {0, 0}});  // q (mean ± sd)
    browser->select(7);                         // cv 0.3, gamma1 0.009
    app.processEvents();
    return save(*browser, path);
}

// Count! on a train GammaGen! draws with these entries.
void countDrawn(mirvok::ui::TForm1& form, QApplication& app, const char* time, const char* isi,
                const char* cv) {
    form.ui().TimeEdit->setText(QString::fromLatin1(time));
    form.ui().isi->setText(QString::fromLatin1(isi));
    form.ui().CVedit->setText(QString::fromLatin1(cv));
    form.ui().GammaButton->click();
    form.ui().DoTest->click();
    app.processEvents();
}

// The results after a nearly regular train, then the window after a long,
// dense one.
bool saveLocalCvsAndLongRun(mirvok::ui::TForm1& form, QApplication& app, const char* localCvs,
                            const char* longRun) {
    countDrawn(form, app, "1000", "20", "0.0001");
    form.ui().ResultsButton->click();
    auto* results = form.findChild<mirvok::ui::ResultsWindow*>();
    app.processEvents();
    if (!results || !save(*results, localCvs)) return false;
    results->close();
    countDrawn(form, app, "5000000", "0.5", "0.5");
    return save(form, longRun);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3 && argc != 5 && argc != 7) {
        std::fprintf(stderr,
                     "usage: mirvok-screenshot <window.png> [<results.png> "
                     "[<sweep-browser.png> <mirvok-cli> [<local-cvs.png> <long-run.png>]]]\n");
        return 2;
    }
    mirvok::SimState state;
    mirvok::Pcg31 random(20261207);  // fixed, so the picture is reproducible
    QApplication app(argc, argv);
    mirvok::ui::ScriptedDialogs dialogs;
    mirvok::ui::TForm1 form(state, random, dialogs);
    form.show();
    form.ui().GammaButton->click();
    if (state.inSpikeSteps.empty()) {
        DefaultEntries entries;
        mirvok::generateTrain(state, entries, random, false);
    }
    form.ui().DoTest->click();
    app.processEvents();
    if (!save(form, argv[1])) return 1;
    if (argc >= 3 && !saveResults(form, app, argv[2])) return 1;
    if (argc >= 5 && !saveSweep(form, app, argv[3], argv[4])) return 1;
    if (argc == 7 && !saveLocalCvsAndLongRun(form, app, argv[5], argv[6])) return 1;
    for (const QString& message : dialogs.messages)
        std::fprintf(stderr, "message: %s\n", qPrintable(message));
    return 0;
}
