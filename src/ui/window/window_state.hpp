#pragma once

#include "analysis/run_results.hpp"
#include "trains/generator_settings.hpp"

namespace mirvok::ui {

// What the window keeps beside the model's state (SimState), made by the
// main window and read by its groups of handlers and its displays.
struct WindowState {
    // From the start of one of the window's batches to its summary: inside
    // it the runs leave the buttons and the displays to the batch, GammaGen!
    // leaves the results view alone, and Stop is the batch's.
    bool batchRunning = false;
    // The results of the latest run analysed: a Count! with no step to run
    // leaves those before it shown.
    RunResults results;
    // The segments "define intervals" made, which the generator draws in
    // when "different intervals" is ticked.
    Segments segments;
};

}  // namespace mirvok::ui
