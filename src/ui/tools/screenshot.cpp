// Writes a picture of the main window after a Count! on a generated train
// with the default boxes, rendered offscreen, for the README.
#include <QApplication>
#include <QPushButton>
#include <cstdio>

#include "model/sim_state.hpp"
#include "trains/gamma_generator.hpp"
#include "trains/random_source.hpp"
#include "ui/scripted/scripted_dialogs.hpp"
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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mirvok-screenshot <file.png>\n");
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
    for (const QString& message : dialogs.messages)
        std::fprintf(stderr, "message: %s\n", qPrintable(message));
    if (!form.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "could not write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
