#include "arguments.hpp"
#include "batch/results/result_contents.hpp"
#include "owned_array.hpp"
#include "registrations.hpp"

namespace mirvok::python {
namespace {

py::dict sectionColumns(ResultSection&& section) {
    const std::size_t n = section.records.size();
    std::vector<int> index(n), inSpikes(n), outSpikes(n);
    std::vector<double> cv(n), q(n), score(n);
    std::vector<std::vector<int>> inTrains(n), outTrains(n);
    for (std::size_t i = 0; i < n; ++i) {
        RecordValues& r = section.records[i];
        index[i] = r.index;
        inSpikes[i] = r.inSpikes;
        cv[i] = r.cv;
        outSpikes[i] = r.outSpikes;
        q[i] = r.q;
        score[i] = r.score;
        inTrains[i] = std::move(r.inSteps);
        outTrains[i] = std::move(r.outSteps);
    }
    py::dict out;
    out["isi"] = section.isi;
    out["shape"] = section.shape;
    out["iterations"] = section.iterations;
    out["index"] = ownedArray(std::move(index));
    out["in_spikes"] = ownedArray(std::move(inSpikes));
    out["cv"] = ownedArray(std::move(cv));
    out["out_spikes"] = ownedArray(std::move(outSpikes));
    out["q"] = ownedArray(std::move(q));
    out["score"] = ownedArray(std::move(score));
    out["in_trains"] = ownedArrays(std::move(inTrains));
    out["out_trains"] = ownedArrays(std::move(outTrains));
    out["damaged"] = section.damagedRecords;
    out["partial"] = section.partialRecords;
    return out;
}

py::list readResults(const Arguments& a) {
    const std::string path = py::str(py::module_::import("os").attr("fspath")(a["path"]));
    std::optional<std::vector<ResultSection>> sections;
    {
        py::gil_scoped_release release;
        sections = readResultSections(path);
    }
    if (!sections) throw FileError::couldNotRead(path);
    py::list out;
    for (ResultSection& section : *sections) out.append(sectionColumns(std::move(section)));
    return out;
}

}  // namespace

void registerResults(py::module_& m) {
    defineFunction<1, 0>(m, "read_results", readResults,
                         R"(Reads a result file that batches write.

path: the file (str or path-like).

Returns a list with a dict per section of the file (a header line and the
records after it; an appended batch starts a new one): isi (ms), shape and
iterations of its header (NaN or -1 where the header does not say), the
columns index, in_spikes, out_spikes (int32 arrays), cv, q, score (float64
arrays, as the records give them: two decimals), in_trains, out_trains
(lists of int32 arrays of steps, 0.5 ms each); damaged: the section's lines
that are no record (a batch cut short; a replay of the file skips the same
lines); partial: records read only in part (a field that is no number is -1
or NaN, a list holding text that is no step ends before it). OSError when
the file cannot be read.)",
                         {py::arg("path")}, {});
}

}  // namespace mirvok::python
