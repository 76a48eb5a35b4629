#include "run_columns.hpp"

#include <limits>
#include <numeric>
#include <string>

#include "owned_array.hpp"

namespace mirvok::python {
namespace {

double mean(double sum, int runs) {
    return runs > 0 ? sum / runs : std::numeric_limits<double>::quiet_NaN();
}

void appendFlat(std::vector<int>& flat, std::vector<std::int64_t>& offsets,
                std::vector<int>&& train) {
    flat.insert(flat.end(), train.begin(), train.end());
    offsets.push_back(static_cast<std::int64_t>(flat.size()));
    std::vector<int>().swap(train);
}

}  // namespace

KeptTrains trainLayoutArgument(py::handle value) {
    if (py::isinstance<py::str>(value)) {
        const std::string text = py::str(value);
        if (text == "lists") return KeptTrains::Arrays;
        if (text == "flat") return KeptTrains::Flat;
    }
    throw py::value_error("trains: 'lists' or 'flat', not " + std::string(py::repr(value)));
}

void RunColumns::add(int index, IterationOutcome& run) {
    index_.push_back(index);
    ++runs_;
    inSpikes_.push_back(static_cast<int>(run.inSpikes));
    cv_.push_back(run.results.isiCV);
    outSpikes_.push_back(static_cast<int>(run.outSpikes));
    q_.push_back(run.results.transmissionRatio);
    score_.push_back(run.results.analysisResult);
    localScore_.push_back(run.results.localScoreMean);
    if (layout_ == KeptTrains::Arrays) {
        inTrains_.push_back(std::move(run.inSteps));
        outTrains_.push_back(std::move(run.outSteps));
    } else {
        appendFlat(inFlat_, inOffsets_, std::move(run.inSteps));
        appendFlat(outFlat_, outOffsets_, std::move(run.outSteps));
    }
    skipped_ += run.skippedSteps;
    skippedByRun_.push_back(static_cast<std::int64_t>(run.skippedSteps));
}

py::object RunColumns::takeSkippedByRun() {
    return ownedArray(std::move(skippedByRun_));
}

py::dict RunColumns::result(bool partial) {
    // Summed run by run in index order from 0, as a batch's averages are.
    const int n = static_cast<int>(score_.size());
    const double avg = mean(std::accumulate(score_.begin(), score_.end(), 0.0), n);
    const double avl = mean(std::accumulate(localScore_.begin(), localScore_.end(), 0.0), n);
    py::dict runs;
    runs["index"] = ownedArray(std::move(index_));
    runs["in_spikes"] = ownedArray(std::move(inSpikes_));
    runs["cv"] = ownedArray(std::move(cv_));
    runs["out_spikes"] = ownedArray(std::move(outSpikes_));
    runs["q"] = ownedArray(std::move(q_));
    runs["score"] = ownedArray(std::move(score_));
    runs["local_score"] = ownedArray(std::move(localScore_));
    py::dict out;
    for (auto [key, column] : runs) out[key] = column;
    if (layout_ == KeptTrains::Arrays) {
        out["in_trains"] = ownedArrays(std::move(inTrains_));
        out["out_trains"] = ownedArrays(std::move(outTrains_));
    } else {
        // Sized to what they hold: the spare capacity of their growth would
        // stay with the arrays.
        inFlat_.shrink_to_fit();
        outFlat_.shrink_to_fit();
        out["in_trains"] = ownedArray(std::move(inFlat_));
        out["in_offsets"] = ownedArray(std::move(inOffsets_));
        out["out_trains"] = ownedArray(std::move(outFlat_));
        out["out_offsets"] = ownedArray(std::move(outOffsets_));
    }
    out["avg"] = avg;
    out["avl"] = avl;
    out["partial"] = partial;
    // A dict has no place in an .npz file: the flat result holds none.
    if (layout_ == KeptTrains::Arrays) out["runs"] = runs;
    return out;
}

}  // namespace mirvok::python
