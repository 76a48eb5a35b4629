#include "ui/display/display_scene.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "text/number_format.hpp"
#include "text/number_parse.hpp"

namespace mirvok::ui {
namespace {

// A raster line at step k: the full height of the area (rows 0 .. H_in - 1
// of an area as high as InImage); lines outside the area are dropped.
void addRasterLine(AreaDrawing& area, int x, int hIn, Rgb colour) {
    if (x < 0 || x >= area.size.width) return;
    area.lines.push_back({x, 0, hIn, colour});
}

// Index ranges of a sorted spike list per column: spikes first[c] ..
// first[c + 1] - 1 lie in column c. Found by bisection, so the cost follows
// the width of the area, not the number of spikes.
std::vector<size_t> spikesPerColumn(const std::vector<int>& steps,
                                    const std::vector<long long>& starts) {
    std::vector<size_t> first(starts.size());
    auto from = steps.begin();
    for (size_t c = 0; c < starts.size(); ++c) {
        from = std::lower_bound(from, steps.end(), starts[c],
                                [](int step, long long start) { return step < start; });
        first[c] = static_cast<size_t>(from - steps.begin());
    }
    return first;
}

// Spike lines of one raster, one per column: a second black line over the
// same column draws nothing new.
void addSpikeLines(AreaDrawing& area, const std::vector<int>& steps, double spp, int hIn,
                   const std::vector<long long>& starts) {
    const int width = static_cast<int>(starts.size()) - 1;
    if (std::is_sorted(steps.begin(), steps.end())) {
        const std::vector<size_t> first = spikesPerColumn(steps, starts);
        for (int x = 0; x < width && x < area.size.width; ++x)
            if (first[x + 1] > first[x]) addRasterLine(area, x, hIn, kBlack);
        return;
    }
    std::vector<bool> drawn(static_cast<size_t>(std::max(width, 0)), false);
    for (int step : steps) {
        const int x = stepColumn(step, spp);
        if (x < 0 || x >= width || drawn[static_cast<size_t>(x)]) continue;
        drawn[static_cast<size_t>(x)] = true;
        addRasterLine(area, x, hIn, kBlack);
    }
}

bool labelled(const SimState& s, size_t i) {
    const int step = s.inSpikeSteps[i];
    return i < s.spikeVari.size() && step >= 0 && static_cast<size_t>(step) < s.outTrain.size() &&
           s.outTrain[step];
}

// Labels of input spikes that produced an output spike, with their local CV.
// A later label at the same place covers an earlier one, so only the last of
// each column is kept; of those, a label is drawn only clear of the one
// drawn before it (the list box holds every value).
void addVariLabels(AreaDrawing& vari, const SimState& s, double spp, const DisplayInputs& inputs,
                   const std::vector<long long>& starts) {
    constexpr int kGap = 3;
    const int width = std::min(static_cast<int>(starts.size()) - 1, vari.size.width);
    std::vector<long long> labelAt(static_cast<size_t>(std::max(width, 0)), -1);
    const std::vector<int>& in = s.inSpikeSteps;
    if (std::is_sorted(in.begin(), in.end())) {
        const std::vector<size_t> first = spikesPerColumn(in, starts);
        for (int x = 0; x < width; ++x)
            for (size_t i = first[x + 1]; i > first[x]; --i)
                if (labelled(s, i - 1)) {
                    labelAt[x] = static_cast<long long>(i - 1);
                    break;
                }
    } else {
        for (size_t i = 0; i < in.size(); ++i) {
            const int x = stepColumn(in[i], spp);
            if (x >= 0 && x < width && labelled(s, i)) labelAt[x] = static_cast<long long>(i);
        }
    }
    int free = std::numeric_limits<int>::min();
    for (int x = 0; x < width; ++x) {
        const long long i = labelAt[static_cast<size_t>(x)];
        if (i < 0 || x - 5 < free) continue;
        std::string text = FloatToStrF(s.spikeVari[i], 2, inputs.decimalSeparator);
        free = x - 5 + static_cast<int>(text.size()) * inputs.digitWidth + kGap;
        vari.texts.push_back({x - 5, 2, std::move(text)});
    }
}

void addTicks(AreaDrawing& area, int widthIn, int hIn) {
    for (int p = 0; p < widthIn; p += 10) {
        const int length = p % 100 == 0 ? 4 : 2;
        if (p < area.size.width) area.lines.push_back({p, hIn - length + 1, hIn, kBlack});
    }
}

AreaDrawing cleared(AreaSize size, bool baseline) {
    AreaDrawing area;
    area.size = size;
    area.baseline = baseline;
    return area;
}

// The intervals as a user counts them: the bounds hold one more entry, and
// none before the first definition.
long long definedIntervals(std::size_t bounds) {
    return bounds == 0 ? 0 : static_cast<long long>(bounds) - 1;
}

}  // namespace

std::array<std::string, 5> axisLabels(const std::string& timeText, char sep) {
    const double t = StrToDouble(timeText, sep) * 0.25;
    std::array<std::string, 5> labels;
    for (int i = 0; i < 5; ++i) labels[i] = FloatToStr(i * t, sep) + " ms";
    return labels;
}

std::vector<std::pair<int, std::string>> panelTexts(const SimState& s, const DisplayInputs& in) {
    const RunResults& r = in.results;
    const char sep = in.decimalSeparator;
    return {{2, "st: " + IntToStr(s.curStep)},
            {5, "s: " + IntToStr(static_cast<long long>(s.inSpikeSteps.size()))},
            {6, "f: " + IntToStr(static_cast<long long>(s.outSpikeSteps.size()))},
            {7, "c: " + FloatToStrF(r.isiCV, 5, sep)},
            {8, "q: " + FloatToStrF(r.transmissionRatio, 5, sep)},
            {9, "i: " + IntToStr(definedIntervals(in.segmentBounds))}};
}

int barPosition(int max, double volume) {
    const double position = max * volume;
    if (!(position > 0.0)) return 0;
    return position >= max ? max : static_cast<int>(position);
}

DisplayScene buildDisplayScene(const SimState& s, const DisplayInputs& in) {
    DisplayScene scene;
    scene.axisLabels = axisLabels(in.timeText, in.decimalSeparator);
    scene.inImage = cleared(in.inImage, true);
    scene.outImage = cleared(in.outImage, true);
    scene.plotter = cleared(in.plotter, false);
    scene.variImage = cleared(in.variImage, false);

    const double spp = static_cast<double>(s.Nsteps) / in.inImage.width;
    const bool drawable = std::isfinite(spp) && spp > 0.0;
    const int hIn = in.inImage.height - 1;  // the bottom row of InImage
    if (drawable) {
        const int h = in.plotter.height;
        const auto trace = [&](const std::vector<double>& values, const TraceColumns* recorded) {
            if (recorded && recorded->describes(values, s.curStep, spp))
                return columnsPolyline(recorded->columns(), h);
            return tracePolyline(values, s.curStep, spp, h);
        };
        scene.plotter.polylines.push_back({kRed, trace(s.V2trace, in.v2Columns)});
        scene.plotter.polylines.push_back({kBlue, trace(s.V1trace, in.v1Columns)});
        const std::vector<long long> starts = columnStarts(spp, in.inImage.width);
        addSpikeLines(scene.inImage, s.inSpikeSteps, spp, hIn, starts);
        addVariLabels(scene.variImage, s, spp, in, starts);
        addSpikeLines(scene.outImage, s.outSpikeSteps, spp, hIn, starts);
    }
    addTicks(scene.inImage, in.inImage.width, hIn);
    addTicks(scene.outImage, in.inImage.width, hIn);
    const int cursor = drawable ? stepColumn(s.curStep, spp) : -1;
    addRasterLine(scene.inImage, cursor, hIn, kRed);

    int ign = 0;
    try {
        ign = StrToInt(in.ignText);
    } catch (...) {
        scene.failure = std::current_exception();
        return scene;
    }
    if (drawable) addRasterLine(scene.inImage, stepColumn(ign, spp), hIn, kGreen);
    addRasterLine(scene.outImage, cursor, hIn, kRed);

    scene.pbV1 = barPosition(in.pbV1Max, s.V1);
    scene.pbV2 = barPosition(in.pbV2Max, s.V2);
    scene.v1Act = FloatToStrF(s.V1, 5, in.decimalSeparator);
    scene.v2Act = FloatToStrF(s.V2, 5, in.decimalSeparator);
    scene.panels = panelTexts(s, in);
    scene.vdiff = FloatToStrF(s.dV, 5, in.decimalSeparator);
    scene.vdiffMatch = s.matchFlag;
    return scene;
}

}  // namespace mirvok::ui
