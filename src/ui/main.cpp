#include <QApplication>
#include <ctime>

#include "model/sim_state.hpp"
#include "trains/random_source.hpp"
#include "ui/dialogs.hpp"
#include "ui/tform1.hpp"

int main(int argc, char** argv) {
    // The one simulation state and random source outlive the window.
    mirvok::SimState state;
    mirvok::Pcg31 random(static_cast<std::uint64_t>(std::time(nullptr)));
    QApplication app(argc, argv);
    mirvok::ui::QtDialogs dialogs;
    mirvok::ui::TForm1 form(state, random, dialogs);
    form.show();
    return app.exec();
}
