#include "values.hpp"

#include <algorithm>

#include "system/machine_memory.hpp"
#include "text/number_format.hpp"
#include "text/number_parse.hpp"
#include "trains/gamma_generator.hpp"
#include "trains/segment_definition.hpp"

namespace mirvok::python {
namespace {

using namespace pybind11::literals;

const std::string& textOf(const ValueTexts& texts, std::string_view name) {
    const auto found = texts.find(name);
    if (found == texts.end()) throw std::logic_error("no value " + std::string(name));
    return found->second;
}

double doubleValue(const ValueTexts& texts, std::string_view name) {
    const std::string& text = textOf(texts, name);
    return named(name, [&] { return StrToDouble(text, '.'); });
}

int intValue(const ValueTexts& texts, std::string_view name) {
    const std::string& text = textOf(texts, name);
    return named(name, [&] { return StrToInt(text); });
}

// Segments are defined one by one as the interval dialog defines them, the
// end being the slider's position; the last must end at the last step.
void defineSegments(SimState& state, const std::vector<SegmentText>& segments) {
    const int last = state.Nsteps - 1;
    SegmentDefinition definition(state);
    for (const SegmentText& s : segments) {
        const std::string end = IntToStr(s.end);
        if (definition.done())
            refuse("segments", "the segment ending at " + end +
                                   " comes after the one that ends at the last step " +
                                   IntToStr(last));
        if (s.end > last)
            refuse("segments", "end " + end + " lies beyond the last step " + IntToStr(last));
        const auto result =
            named("segments", [&] { return definition.pass(s.end, s.isi, s.cv, '.'); });
        if (result.outcome == SegmentDefinition::Outcome::NotRightOfLast)
            refuse("segments", "end " + end + " is not right of the previous end " +
                                   IntToStr(definition.lastBound()));
    }
    if (!definition.done())
        refuse("segments", "the last end must be the run's last step " + IntToStr(last));
}

}  // namespace

const char* const kModelDoc =
    R"(Model: time: run length in ms (int; a step is 0.5 ms, so 2 * time steps).
v1_start, v2_start: the two compartments' volumes (0 .. 1) at the start.
gamma1, gamma2: refill rates (a volume refills by half its rate each step).
delta1, delta2: the fraction of volume each input spike takes.
epsilon: coincidence window, the largest |V1 - V2| (exclusive) that fires.
boundary_tol: both volumes must lie within [boundary_tol, 1 - boundary_tol].)";
const char* const kAnalysisDoc = R"(Analysis: ign: spikes up to this step are left out (int, steps).
range: intervals in one local window (int). c0: the CV threshold of the scores.)";
const char* const kGeneratorDoc =
    R"(Generator: isi: mean interval in ms. isi_jitter: half-width in ms of a
random shift of the mean, drawn once per train. cv: the intervals'
coefficient of variation (gamma shape 1/cv^2).)";

std::vector<py::arg_v> modelKeywords() {
    return {"time"_a = 1000,   "v1_start"_a = 0.2,  "gamma1"_a = 0.009,
            "delta1"_a = 0.45, "v2_start"_a = 0.8,  "gamma2"_a = 0.006,
            "delta2"_a = 0.3,  "epsilon"_a = 0.005, "boundary_tol"_a = 0.0};
}

std::vector<py::arg_v> analysisKeywords() {
    return {"ign"_a = 0, "range"_a = 5, "c0"_a = 0.3333};
}

std::vector<py::arg_v> generatorKeywords() {
    return {"isi"_a = 20.0, "isi_jitter"_a = 0.0, "cv"_a = 0.02};
}

std::vector<py::arg_v> joined(std::vector<std::vector<py::arg_v>> lists) {
    std::vector<py::arg_v> all;
    for (std::vector<py::arg_v>& list : lists)
        for (py::arg_v& arg : list) all.push_back(std::move(arg));
    return all;
}

std::vector<py::arg_v> batchValueKeywords() {
    return joined({modelKeywords(), analysisKeywords(), generatorKeywords()});
}

std::string batchValuesDoc() {
    return std::string(kModelDoc) + "\n" + kAnalysisDoc + "\n" + kGeneratorDoc;
}

std::string pythonName(std::string_view option) {
    std::string name(option);
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

std::string optionName(std::string_view python) {
    std::string name(python);
    std::replace(name.begin(), name.end(), '_', '-');
    return name;
}

ValueTexts valueTexts(const Arguments& arguments, const std::vector<py::arg_v>& keywords) {
    ValueTexts texts;
    for (const py::arg_v& keyword : keywords) {
        const py::handle given = arguments.find(keyword.name);
        texts[keyword.name] = numberText(given ? given : keyword.value, keyword.name);
    }
    return texts;
}

std::vector<SegmentText> segmentTexts(py::handle segments) {
    std::vector<SegmentText> texts;
    if (segments.is_none()) return texts;
    for (py::handle item : segments) {
        const auto segment = py::reinterpret_borrow<py::sequence>(item);
        if (!py::isinstance<py::sequence>(item) || segment.size() != 3)
            refuse("segments", "each segment is (end_step, isi, cv)");
        texts.push_back({intArgument(segment[0], "segments"), numberText(segment[1], "segments"),
                         numberText(segment[2], "segments")});
    }
    return texts;
}

int runLength(const ValueTexts& texts) {
    const int ms = intValue(texts, "time");
    named("time", [&] { stepsForRunLength(ms, physicalMemoryBytes()); });
    return ms;
}

ModelValues toModelValues(const ValueTexts& t) {
    ModelValues v;
    v.reset.time = runLength(t);
    v.reset.memory = physicalMemoryBytes();
    v.reset.v1 = doubleValue(t, "v1_start");
    v.reset.v2 = doubleValue(t, "v2_start");
    v.reset.eps = doubleValue(t, "epsilon");
    v.reset.tol = doubleValue(t, "boundary_tol");
    v.rates.g1 = doubleValue(t, "gamma1");
    v.rates.d1 = doubleValue(t, "delta1");
    v.rates.g2 = doubleValue(t, "gamma2");
    v.rates.d2 = doubleValue(t, "delta2");
    return v;
}

FixedAnalysisParams toAnalysisParams(const ValueTexts& t) {
    FixedAnalysisParams p;
    p.ignSteps = intValue(t, "ign");
    p.rangeIntervals = intValue(t, "range");
    p.c0Value = doubleValue(t, "c0");
    return p;
}

BatchSetup toBatchSetup(const ValueTexts& t, const std::vector<SegmentText>& segments) {
    const ModelValues model = toModelValues(t);
    BatchSetup setup;
    setup.reset = model.reset;
    setup.rates = model.rates;
    setup.analysis = toAnalysisParams(t);
    setup.stateTemplate.Nsteps = stepsForRunLength(model.reset.time, physicalMemoryBytes());
    setup.generator.isi = doubleValue(t, "isi");
    setup.generator.isiJitter = doubleValue(t, "isi_jitter");
    setup.generator.cv = doubleValue(t, "cv");
    setup.headerShape =
        named("cv", [&] { return StrToDouble(shapeTextForCv(setup.generator.cv, '.'), '.'); });
    if (!segments.empty()) {
        defineSegments(setup.stateTemplate, segments);
        setup.generator.segmentMode = true;
    }
    return setup;
}

}  // namespace mirvok::python
