#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <ctime>
#include <exception>

#include "model/sim_state.hpp"
#include "random/random_source.hpp"
#include "system/file_size_signal.hpp"
#include "ui/dialogs/dialogs.hpp"
#include "ui/tform1.hpp"
#include "version/version.hpp"

int main(int argc, char** argv) {
    mirvok::ignoreFileSizeSignal();
    // The one simulation state and random source outlive the window; the
    // source is seeded with the clock in seconds, so two starts within the
    // same second draw the same sequence.
    mirvok::SimState state;
    mirvok::Pcg31 random(static_cast<std::uint64_t>(std::time(nullptr)));
    QApplication app(argc, argv);
    // The window's one option: a sweep to look at from the start.
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Mirvok's window"));
    options.addHelpOption();
    const QCommandLineOption sweep(QStringLiteral("sweep"),
                                   QStringLiteral("show the sweep in DIR in the sweep browser"),
                                   QStringLiteral("DIR"));
    options.addOption(sweep);
    options.process(app);
    try {
        mirvok::ui::QtDialogs dialogs;
        mirvok::ui::TForm1 form(state, random, dialogs);
        form.show();
        if (options.isSet(sweep)) form.openSweep(options.value(sweep));
        return app.exec();
    } catch (const std::exception& e) {
        // Handlers report their own errors; this is for start-up only.
        QMessageBox::critical(nullptr, QString::fromUtf8(mirvok::kWindowCaption),
                              QString::fromUtf8(e.what()));
        return 1;
    }
}
