#include "arguments.hpp"
#include "owned_array.hpp"
#include "records/record_columns.hpp"
#include "records/result_contents.hpp"
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
    const auto key = [](RecordField field) { return py::str(kRecordColumns[field].name); };
    out[key(kIndex)] = ownedArray(std::move(index));
    out[key(kInSpikes)] = ownedArray(std::move(inSpikes));
    out[key(kCv)] = ownedArray(std::move(cv));
    out[key(kOutSpikes)] = ownedArray(std::move(outSpikes));
    out[key(kQ)] = ownedArray(std::move(q));
    out[key(kScore)] = ownedArray(std::move(score));
    out[key(kInput)] = ownedArrays(std::move(inTrains));
    out[key(kOutput)] = ownedArrays(std::move(outTrains));
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
    defineFunction(m, "read_results", readResults, "The compiled half of mirvok.read_results.",
                   {"path"}, {});
}

}  // namespace mirvok::python
