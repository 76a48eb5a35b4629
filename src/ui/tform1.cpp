#include "ui/tform1.hpp"

#include "model/reset.hpp"
#include "ui/sweeps/sweep_browser.hpp"

namespace mirvok::ui {

TForm1::TForm1(SimState& state, RandomSource& random, Dialogs& dialogs, QWidget* parent)
    : MainWindow(dialogs, parent),
      state_(state),
      boxes_(ui()),
      values_(boxes_),
      variList_(ui().VariBox),
      generatorEntries_(boxes_, ui().shape, pump(), windowState_.segments),
      screen_(state_, windowState_, ui(), StatusBar(), dialogs, this),
      runControl_(state_, windowState_, {values_, variList_}, ui(), Timer1(), pump(), screen_),
      openDialog_(FileNameDialog::Mode::Open),
      results_(*this,
               [&dialogs](const QString& folder, QWidget* over) {
                   if (SweepBrowser* browser = SweepBrowser::open(folder, dialogs, over))
                       browser->raise();
               }),
      run_(*this, runControl_, state_, boxes_, variList_, results_.model()),
      trains_(*this, {state_, windowState_, random, runControl_, run_, screen_, results_.model(),
                      generatorEntries_, openDialog_}),
      batch_(*this, {state_,
                     windowState_,
                     boxes_,
                     {values_},
                     runControl_,
                     run_,
                     screen_,
                     generatorEntries_,
                     openDialog_,
                     results_}) {
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    // The random source is seeded by its maker; widgets double-buffer in Qt.
    state_.Nsteps = stepsOfRun(values_);
    redrawDisplays();
}

void TForm1::redrawDisplays() {
    screen_.redraw();
}

void TForm1::openSweep(const QString& folder) {
    results_.resultsWindow().openSweep(folder);
}

}  // namespace mirvok::ui
