#include "ui/window/window_layout.hpp"

#include <array>

namespace mirvok::ui {
namespace {

using K = ControlKind;

const ControlEntry kLayout[] = {
    {"Bevel4", K::Bevel, "", 0, 240, 737, 233},
    // Model parameters.
    {"V1_start", K::Edit, "0,2", 112, 10, 57, 21, "start 1"},
    {"gamma1", K::Edit, "0,009", 112, 34, 57, 21, "gamma 1"},
    {"delta1", K::Edit, "0,45", 112, 62, 57, 21, "delta 1"},
    {"V2_start", K::Edit, "0,8", 112, 98, 57, 21, "start 2"},
    {"gamma2", K::Edit, "0,006", 112, 123, 57, 21, "gamma 2"},
    {"delta2", K::Edit, "0,3", 112, 152, 57, 21, "delta 2"},
    {"MaxDiff", K::Edit, "0,005", 112, 184, 57, 21, "epsilon"},
    {"TimeEdit", K::Edit, "1000", 112, 213, 57, 21, "time"},
    // Generator and batch.
    {"GammaHeading", K::Label, "gamma distribution", 488, 11, 120, 13},
    {"isi", K::Edit, "20", 504, 24, 25, 21, "isi:"},
    {"isiInt", K::Edit, "0", 560, 24, 25, 21, "+/-"},
    {"CVedit", K::Edit, "0,02", 528, 48, 57, 21, "CV:"},
    {"ntests", K::Edit, "100", 528, 80, 57, 21, "iterations:"},
    // Analysis and further settings, beyond the designed client area.
    {"C0Edit", K::Edit, "0,3333", 824, 232, 57, 21, "c0:"},
    {"ZeroDiff", K::Edit, "0", 854, 256, 33, 21, "boundary toler.:"},
    {"ign", K::Edit, "0", 816, 286, 33, 21, "ign first:", "steps"},
    {"shape", K::Edit, "1000", 824, 312, 57, 21, "shape:"},
    {"localTolerance", K::Edit, "0,1", 840, 27, 41, 21, "local toler:"},
    {"Range", K::Edit, "5", 840, 52, 41, 21, "local spikes:"},
    // Current values.
    {"V1_act", K::ReadOnlyEdit, "0", 221, 206, 68, 21, "Vol 1:"},
    {"V2_act", K::ReadOnlyEdit, "0", 335, 206, 66, 21, "Vol 2:"},
    {"Vdiff", K::ReadOnlyEdit, "0", 447, 206, 58, 21, "Diff:"},
    // Buttons.
    {"ReadButton", K::Button, "Read...", 392, 16, 75, 25},
    {"ReadMultipleButton", K::Button, "ReadMulti...", 392, 40, 75, 25},
    {"SimulateButton", K::Button, "Simulate!", 392, 72, 75, 25},
    {"PauseButton", K::Button, "Pause", 392, 96, 75, 25},
    {"StopButton", K::Button, "Stop", 392, 120, 75, 25},
    {"SaveButton", K::Button, "Save...", 392, 152, 75, 25},
    {"newints", K::Button, "define intervals", 504, 128, 81, 25},
    {"GammaButton", K::Button, "GammaGen!", 632, 112, 81, 25},
    {"DoTest", K::Button, "Count!", 632, 136, 81, 25},
    {"All", K::Button, "Process All!", 632, 160, 81, 25},
    // Check boxes.
    {"GraphicTrace", K::CheckBox, "graphic trace", 624, 64, 89, 17},
    {"askfile", K::CheckBox, "ask file", 624, 80, 97, 17},
    {"FirstDel", K::CheckBox, "del", 680, 80, 41, 17},
    {"diffintervals", K::CheckBox, "different intervals", 496, 112, 105, 17},
    {"quantify", K::CheckBox, "quantify", 776, 344, 57, 17},
    {"c01", K::CheckBox, "0--1", 848, 344, 41, 17, "c:"},
    // Reproducible batches and their results.
    {"seedEdit", K::Edit, "", 824, 376, 57, 21, "seed:"},
    {"ResultsButton", K::Button, "results...", 776, 400, 105, 25},
    {"CopyCommandButton", K::Button, "copy command", 776, 432, 105, 25},
    // Speed, bars, list.
    {"speed", K::TrackBar, "", 528, 176, 65, 30},
    {"SpeedLabel", K::Label, "fast     slow", 528, 206, 70, 13},
    {"pbV1Heading", K::Label, "compartment 1", 208, 16, 86, 14, nullptr, nullptr, 0x0000FF},
    {"pbV1", K::ProgressBar, "50", 208, 32, 81, 169},
    {"pbV1Top", K::Label, "1", 184, 24, 20, 13},
    {"pbV1Half", K::Label, "0,5", 184, 104, 20, 13},
    {"pbV2Heading", K::Label, "compartment 2", 296, 16, 86, 14, nullptr, nullptr, 0x008080},
    {"pbV2", K::ProgressBar, "20", 296, 32, 81, 169},
    {"VariBox", K::ListBox, "", 776, 88, 105, 113},
    // Displays.
    {"OutImage", K::Image, "", 24, 248, 697, 17},
    {"InImage", K::Image, "", 24, 266, 697, 17},
    {"Plotter", K::Image, "", 24, 312, 697, 153},
    {"PlotterTop", K::Label, "1", 8, 312, 14, 13},
    {"PlotterHalf", K::Label, "0,5", 8, 384, 16, 13},
    {"PlotterZero", K::Label, "0", 8, 456, 14, 13},
    {"VariImage", K::Image, "", 8, 519, 601, 17},
    {"Nsteps0Text", K::Label, "0 ms", 22, 290, 60, 13},
    {"Nsteps1Text", K::Label, "600 ms", 176, 290, 60, 13},
    {"Nsteps2Text", K::Label, "600 ms", 360, 290, 60, 13},
    {"Nsteps3Text", K::Label, "600 ms", 528, 290, 60, 13},
    {"Nsteps4Text", K::Label, "600 ms", 687, 290, 60, 13},
};

// The step (2) and count (0) panels hold 8 digits; the seed (10) 10.
constexpr std::array<int, 12> kPanelWidths = {64, 80, 64, 70, 70, 40, 40, 70, 60, 60, 90, 65};

}  // namespace

std::span<const ControlEntry> windowLayout() {
    return kLayout;
}

std::string controlTitle(std::string_view name) {
    for (const ControlEntry& c : kLayout) {
        if (name != c.name) continue;
        if (!c.label) break;
        std::string title = c.label;
        if (!title.empty() && title.back() == ':') title.pop_back();
        return title;
    }
    return std::string(name);
}

std::span<const int> statusPanelWidths() {
    return kPanelWidths;
}

}  // namespace mirvok::ui
