#pragma once

#include <pybind11/pybind11.h>

#include <cstdint>
#include <vector>

#include "batch/batch_iteration.hpp"
#include "batch/batch_summary.hpp"

namespace mirvok::python {

namespace py = pybind11;

// How a call hands out the trains of its runs: "lists", an array per run; or
// "flat", all steps in one array with offsets, so that every value of the
// result is an array or a number (np.savez takes it whole).
enum class TrainLayout { Lists, Flat };
TrainLayout trainLayoutArgument(py::handle value);

// The runs of a batch or a replay as columns, added in index order on the
// calling thread: what the result file's records hold, unrounded, with the
// local score besides.
class RunColumns {
  public:
    explicit RunColumns(TrainLayout layout) : layout_(layout) {}
    // Takes the run's trains.
    void add(int index, IterationOutcome& run);
    int runs() const { return sums_.runs; }

    // With the GIL, once: the result. The per-run columns (index, in_spikes,
    // cv, out_spikes, q, score, local_score), and with lists also under
    // "runs" as a dict of them; in_trains, out_trains (and with flat their
    // in_offsets, out_offsets); avg and avl, the means of score and
    // local_score (NaN without a run); partial.
    py::dict result(bool partial);

  private:
    TrainLayout layout_;
    std::vector<int> index_, inSpikes_, outSpikes_;
    std::vector<double> cv_, q_, score_, localScore_;
    std::vector<std::vector<int>> inTrains_, outTrains_;
    std::vector<int> inFlat_, outFlat_;
    std::vector<std::int64_t> inOffsets_{0}, outOffsets_{0};
    BatchSums sums_;
};

}  // namespace mirvok::python
