#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis_params.hpp"
#include "arguments.hpp"
#include "batch/batch_setup.hpp"
#include "model/rates.hpp"
#include "model/reset.hpp"

namespace mirvok::python {

// The keyword arguments of the values a run reads, with the window's
// defaults: the model's (time .. boundary_tol), the analysis' (ign, range,
// c0) and the generator's (isi, isi_jitter, cv).
std::vector<py::arg_v> modelKeywords();
std::vector<py::arg_v> analysisKeywords();
std::vector<py::arg_v> generatorKeywords();
std::vector<py::arg_v> joined(std::vector<std::vector<py::arg_v>> lists);
// All three, as a batch, a sweep and the generator take them.
std::vector<py::arg_v> batchValueKeywords();

// Docstring lines for those values, with their units.
extern const char* const kModelDoc;
extern const char* const kAnalysisDoc;
extern const char* const kGeneratorDoc;
// The three, as batch and sweep document them.
std::string batchValuesDoc();

// "v1_start" for the option "v1-start" and back.
std::string pythonName(std::string_view option);
std::string optionName(std::string_view python);

// The texts of the number values, by Python name, as numberText gives them.
using ValueTexts = std::map<std::string, std::string, std::less<>>;
ValueTexts valueTexts(const Arguments& arguments, const std::vector<py::arg_v>& keywords);

// One segment of a segmented train: its last step, mean interval and CV.
struct SegmentText {
    int end = 0;
    std::string isi, cv;
};
// The `segments` argument: None, or a sequence of (end_step, isi, cv).
std::vector<SegmentText> segmentTexts(py::handle segments);

struct ModelValues {
    FixedResetValues reset;
    FixedRates rates;
};
// Converted as the command line converts its options, so both refuse the
// same values with the same message; ValueError names the argument.
ModelValues toModelValues(const ValueTexts& texts);
FixedAnalysisParams toAnalysisParams(const ValueTexts& texts);
// Needs the GIL (it may raise); the run length given in ms.
int runLength(const ValueTexts& texts);
// Every value of a generated batch, segments included.
BatchSetup toBatchSetup(const ValueTexts& texts, const std::vector<SegmentText>& segments);

}  // namespace mirvok::python
