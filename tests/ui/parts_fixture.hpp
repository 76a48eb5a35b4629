#pragma once

// The window's parts built without the window: the layout's controls on a
// bare widget, the boxes, Timer1, the event pump, run control and the
// batch, over a screen that records what it is asked to show.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QWidget>
#include <exception>
#include <optional>
#include <stdexcept>

#include "model/sim_state.hpp"
#include "random/random_source.hpp"
#include "ui/batch/window_batch.hpp"
#include "ui/boxes/box_params.hpp"
#include "ui/dialogs/file_name_dialog.hpp"
#include "ui/dialogs/scripted/scripted_dialogs.hpp"
#include "ui/display/display_painter.hpp"
#include "ui/display/local_cv_list.hpp"
#include "ui/display/run_screen.hpp"
#include "ui/run/run_control.hpp"
#include "ui/trains/box_generator_entries.hpp"
#include "ui/window/event_pump.hpp"
#include "ui/window/form_controls.hpp"
#include "ui/window/status_panels.hpp"
#include "ui/window/window_state.hpp"

// An input train with a spike every `every` steps from step `first` on, over
// a run of `ms` milliseconds typed into `timeEdit`.
inline void loadRegularTrain(mirvok::SimState& state, QLineEdit* timeEdit, int ms, int every,
                             int first = 1) {
    timeEdit->setText(QString::number(ms));
    state.inSpikeSteps.clear();
    state.inTrain.assign(static_cast<size_t>(2 * ms), 0);
    for (int k = first; k < 2 * ms; k += every) {
        state.inSpikeSteps.push_back(k);
        state.inTrain[static_cast<size_t>(k)] = 1;
    }
    state.loadedTrain = state.inSpikeSteps;
    state.loadedOutsideAnyRun = 0;
    state.skippedSteps = 0;
}

// The controls of the window's layout and its status bar on a bare widget.
struct Controls {
    QWidget host;
    mirvok::ui::FormControls ui = mirvok::ui::createControls(&host);
    mirvok::ui::StatusPanels status{&host};
};

// Counts redraws and recorded steps and keeps the messages; a redraw throws
// while `redrawError` holds one.
struct RecordingScreen final : mirvok::ui::RunScreen {
    int redraws = 0;
    int recordedSteps = 0;
    QStringList messages;
    std::optional<std::runtime_error> redrawError;

    void redraw() override {
        ++redraws;
        if (redrawError) throw *redrawError;
    }
    void recordStep() override { ++recordedSteps; }
    void showMessage(const QString& text) override { messages << text; }
};

struct Parts {
    mirvok::SimState state;
    mirvok::ui::WindowState window;
    Controls c;
    mirvok::ui::ParameterBoxes boxes{c.ui};
    mirvok::ui::BoxValues values{boxes};
    mirvok::ui::LocalCvList vari{c.ui.VariBox};
    QTimer timer;
    mirvok::ui::EventPump pump;
    RecordingScreen screen;
    mirvok::ui::RunControl run{state, window, {values, vari}, c.ui, timer, pump, screen};
    mirvok::ui::ScriptedDialogs dialogs;
    mirvok::ui::FileNameDialog saveDialog{mirvok::ui::FileNameDialog::Mode::Save, "csv"};
    mirvok::ui::BoxGeneratorEntries entries{boxes, c.ui.shape, pump, window.segments};
    mirvok::Pcg31 random{1};
    mirvok::ui::WindowBatch batch{{state,
                                   window,
                                   boxes,
                                   {values},
                                   run,
                                   pump,
                                   screen,
                                   c.status,
                                   saveDialog,
                                   dialogs,
                                   &c.host,
                                   entries,
                                   {}},
                                  c.ui};
    // What escaped a tick, as the window's error report would show it.
    QStringList tickErrors;

    Parts() {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, &timer, [this] {
            try {
                run.tick();
            } catch (const std::exception& e) {
                tickErrors << QString::fromUtf8(e.what());
            }
        });
    }
    const mirvok::ui::FormControls& ui() const { return c.ui; }
    void loadRegularTrain(int ms, int every, int first = 1) {
        ::loadRegularTrain(state, c.ui.TimeEdit, ms, every, first);
    }
};
