#pragma once

#include <array>
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "analysis/run_results.hpp"
#include "model/sim_state.hpp"
#include "ui/display/trace_columns.hpp"

namespace mirvok::ui {

// Everything redrawDisplays shows, computed without the window toolkit:
// coordinates, texts and colours, for the painter to put on screen.

using Rgb = unsigned;  // 0xRRGGBB
inline constexpr Rgb kBlack = 0x000000;
inline constexpr Rgb kBlue = 0x0000FF;
inline constexpr Rgb kRed = 0xFF0000;
inline constexpr Rgb kGreen = 0x008000;

// A vertical line covering rows top .. bottom (both included) of column x.
struct VLine {
    int x = 0;
    int top = 0;
    int bottom = 0;
    Rgb colour = kBlack;
    bool operator==(const VLine&) const = default;
};

struct Polyline {
    Rgb colour = kBlack;
    std::vector<Point> points;
};

// Text written at a point, black on a white background.
struct TextAt {
    int x = 0;
    int y = 0;
    std::string text;
    bool operator==(const TextAt&) const = default;
};

struct AreaSize {
    int width = 0;
    int height = 0;
};

// One image area: cleared white (with a black bottom row for the rasters),
// then its polylines, lines and texts in that order.
struct AreaDrawing {
    AreaSize size;
    bool baseline = false;
    std::vector<Polyline> polylines;
    std::vector<VLine> lines;
    std::vector<TextAt> texts;
};

// What the redraw reads from the window besides the state.
struct DisplayInputs {
    AreaSize inImage{697, 17};
    AreaSize outImage{697, 17};
    AreaSize plotter{697, 153};
    AreaSize variImage{601, 17};
    std::string timeText = "1000";  // TimeEdit
    std::string ignText = "0";      // ign
    RunResults results;             // of the latest run analysed
    std::size_t segmentBounds = 0;  // of the segments defined (none: 0)
    int pbV1Max = 100;
    int pbV2Max = 100;
    char decimalSeparator = '.';
    // The widest digit of VariImage's font, in pixels: labels are kept
    // apart by their length in it.
    int digitWidth = 6;
    // Column extents recorded while the run stepped; used where they still
    // describe the traces, so the redraw does not rescan a long run.
    const TraceColumns* v1Columns = nullptr;
    const TraceColumns* v2Columns = nullptr;
};

struct DisplayScene {
    std::array<std::string, 5> axisLabels;  // Nsteps0Text .. Nsteps4Text
    AreaDrawing inImage, outImage, plotter, variImage;

    // The rest is filled only when ign converted; otherwise `failure` holds
    // its conversion error, and the painter shows the areas and the labels,
    // then throws it.
    std::exception_ptr failure;
    int pbV1 = 0;
    int pbV2 = 0;
    std::string v1Act, v2Act, vdiff;
    bool vdiffMatch = false;
    std::vector<std::pair<int, std::string>> panels;  // (panel index, text)
};

// The scene for `state`. A TimeEdit text that does not convert throws, before
// anything is computed. Nothing is drawn of the rasters, traces and cursors
// when the scale (Nsteps / width of InImage) is not a positive finite number.
DisplayScene buildDisplayScene(const SimState& state, const DisplayInputs& inputs);

// Parts, for their own tests.
std::array<std::string, 5> axisLabels(const std::string& timeText, char sep);
std::vector<std::pair<int, std::string>> panelTexts(const SimState& state,
                                                    const DisplayInputs& inputs);
int barPosition(int max, double volume);

}  // namespace mirvok::ui
