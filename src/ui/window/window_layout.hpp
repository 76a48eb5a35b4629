#pragma once

#include <span>
#include <string>
#include <string_view>

namespace mirvok::ui {

// The main window's controls as designed: name (the objectName), kind,
// caption or default text, place in pixels at 96 dpi, and the label that
// stands to the left of it. Default texts are written with a comma as the
// decimal separator; the window replaces it by its locale's separator. A
// box with a row in the table of values shows that row's default instead,
// so its text here is empty.

enum class ControlKind {
    Edit,          // parameter box
    ReadOnlyEdit,  // value box written by the display, never enabled
    Button,
    CheckBox,
    TrackBar,
    ProgressBar,
    ListBox,
    Image,  // drawable image area
    Label,  // static text (axis labels, headings, scale labels)
    Bevel,  // frame
};

struct ControlEntry {
    const char* name;
    ControlKind kind;
    const char* text;  // caption, default text, or label text
    int left, top, width, height;
    const char* label = nullptr;       // label left of the control
    const char* labelAfter = nullptr;  // label right of the control ("steps")
    unsigned colour = 0;               // label colour as 0xRRGGBB (headings)
};

// Every control of the window, in creation order (later ones lie on top):
// X(name, kind, text, left, top, width, height[, label[, labelAfter[, colour]]]).
// The name is the control's objectName and its member of FormControls, the
// one place a control is named; its type follows from its kind.
// clang-format off
#define MIRVOK_WINDOW_CONTROLS(X) \
    X(Bevel4, Bevel, "", 0, 240, 737, 233) \
    /* Model parameters. */ \
    X(V1_start, Edit, "", 112, 10, 57, 21, "start 1") \
    X(gamma1, Edit, "", 112, 34, 57, 21, "gamma 1") \
    X(delta1, Edit, "", 112, 62, 57, 21, "delta 1") \
    X(V2_start, Edit, "", 112, 98, 57, 21, "start 2") \
    X(gamma2, Edit, "", 112, 123, 57, 21, "gamma 2") \
    X(delta2, Edit, "", 112, 152, 57, 21, "delta 2") \
    X(MaxDiff, Edit, "", 112, 184, 57, 21, "epsilon") \
    X(TimeEdit, Edit, "", 112, 213, 57, 21, "time") \
    /* Generator and batch. */ \
    X(GammaHeading, Label, "gamma distribution", 488, 11, 120, 13) \
    X(isi, Edit, "", 504, 24, 25, 21, "isi:") \
    X(isiInt, Edit, "", 560, 24, 25, 21, "+/-") \
    X(CVedit, Edit, "", 528, 48, 57, 21, "CV:") \
    X(ntests, Edit, "100", 528, 80, 57, 21, "iterations:") \
    /* Analysis and further settings, beyond the designed client area. */ \
    X(C0Edit, Edit, "", 824, 232, 57, 21, "c0:") \
    X(ZeroDiff, Edit, "", 854, 256, 33, 21, "boundary toler.:") \
    X(ign, Edit, "", 816, 286, 33, 21, "ign first:", "steps") \
    X(shape, Edit, "1000", 824, 312, 57, 21, "shape:") \
    X(localTolerance, Edit, "0,1", 840, 27, 41, 21, "local toler:") \
    X(Range, Edit, "", 840, 52, 41, 21, "local spikes:") \
    /* Current values. */ \
    X(V1_act, ReadOnlyEdit, "0", 221, 206, 68, 21, "Vol 1:") \
    X(V2_act, ReadOnlyEdit, "0", 335, 206, 66, 21, "Vol 2:") \
    X(Vdiff, ReadOnlyEdit, "0", 447, 206, 58, 21, "Diff:") \
    /* Buttons. */ \
    X(ReadButton, Button, "Read...", 392, 16, 75, 25) \
    X(ReadMultipleButton, Button, "ReadMulti...", 392, 40, 75, 25) \
    X(SimulateButton, Button, "Simulate!", 392, 72, 75, 25) \
    X(PauseButton, Button, "Pause", 392, 96, 75, 25) \
    X(StopButton, Button, "Stop", 392, 120, 75, 25) \
    X(SaveButton, Button, "Save...", 392, 152, 75, 25) \
    X(newints, Button, "define intervals", 504, 128, 81, 25) \
    X(GammaButton, Button, "GammaGen!", 632, 112, 81, 25) \
    X(DoTest, Button, "Count!", 632, 136, 81, 25) \
    X(All, Button, "Process All!", 632, 160, 81, 25) \
    /* Check boxes. */ \
    X(GraphicTrace, CheckBox, "graphic trace", 624, 64, 89, 17) \
    X(askfile, CheckBox, "ask file", 624, 80, 97, 17) \
    X(FirstDel, CheckBox, "del", 680, 80, 41, 17) \
    X(diffintervals, CheckBox, "different intervals", 496, 112, 105, 17) \
    X(quantify, CheckBox, "quantify", 776, 344, 57, 17) \
    X(c01, CheckBox, "0--1", 848, 344, 41, 17, "c:") \
    /* Reproducible batches and their results. */ \
    X(seedEdit, Edit, "", 824, 376, 57, 21, "seed:") \
    X(ResultsButton, Button, "results...", 776, 400, 105, 25) \
    X(CopyCommandButton, Button, "copy command", 776, 432, 105, 25) \
    /* Speed, bars, list. */ \
    X(speed, TrackBar, "", 528, 176, 65, 30) \
    X(SpeedLabel, Label, "fast     slow", 528, 206, 70, 13) \
    X(pbV1Heading, Label, "compartment 1", 208, 16, 86, 14, nullptr, nullptr, 0x0000FF) \
    X(pbV1, ProgressBar, "50", 208, 32, 81, 169) \
    X(pbV1Top, Label, "1", 184, 24, 20, 13) \
    X(pbV1Half, Label, "0,5", 184, 104, 20, 13) \
    X(pbV2Heading, Label, "compartment 2", 296, 16, 86, 14, nullptr, nullptr, 0x008080) \
    X(pbV2, ProgressBar, "20", 296, 32, 81, 169) \
    X(VariBox, ListBox, "", 776, 88, 105, 113) \
    /* Displays. */ \
    X(OutImage, Image, "", 24, 248, 697, 17) \
    X(InImage, Image, "", 24, 266, 697, 17) \
    X(Plotter, Image, "", 24, 312, 697, 153) \
    X(PlotterTop, Label, "1", 8, 312, 14, 13) \
    X(PlotterHalf, Label, "0,5", 8, 384, 16, 13) \
    X(PlotterZero, Label, "0", 8, 456, 14, 13) \
    X(VariImage, Image, "", 8, 519, 601, 17) \
    X(Nsteps0Text, Label, "0 ms", 22, 290, 60, 13) \
    X(Nsteps1Text, Label, "600 ms", 176, 290, 60, 13) \
    X(Nsteps2Text, Label, "600 ms", 360, 290, 60, 13) \
    X(Nsteps3Text, Label, "600 ms", 528, 290, 60, 13) \
    X(Nsteps4Text, Label, "600 ms", 687, 290, 60, 13)
// clang-format on

std::span<const ControlEntry> windowLayout();

// What the user calls a control: the label beside it without its colon
// ("gamma 1", "CV"), else its name.
std::string controlTitle(std::string_view name);

// The designed client area, and the one the window uses so that the controls
// placed beyond the designed area are visible too.
inline constexpr int kDesignWidth = 741;
inline constexpr int kDesignHeight = 494;
inline constexpr int kClientWidth = 897;
inline constexpr int kClientHeight = 546;  // above the status bar
inline constexpr int kStatusBarHeight = 19;

// Widths of the twelve status-bar panels.
std::span<const int> statusPanelWidths();

}  // namespace mirvok::ui
