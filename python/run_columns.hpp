#pragma once

#include <pybind11/pybind11.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "batch/batch_iteration.hpp"
#include "batch/batch_memory.hpp"

namespace mirvok::python {

namespace py = pybind11;

// How a call hands out the trains of its runs, its argument `trains`:
// "lists", an array per run (Arrays); or "flat", all steps in one array with
// offsets (Flat), so that every value of the result is an array or a number
// (np.savez takes it whole).
KeptTrains trainLayoutArgument(py::handle value);

// The runs of a batch or a replay as columns, added in index order on the
// calling thread: what the result file's records hold, unrounded, with the
// local score besides.
class RunColumns {
  public:
    explicit RunColumns(KeptTrains layout) : layout_(layout) {}
    // Takes the run's trains.
    void add(int index, IterationOutcome& run);
    int runs() const { return runs_; }
    // The steps the runs added so far skipped (a replayed spike beyond the
    // run's end).
    std::size_t skippedSteps() const { return skipped_; }
    // With the GIL, once: the steps each run skipped, in index order.
    py::object takeSkippedByRun();

    // With the GIL, once: the result. The per-run columns (index, in_spikes,
    // cv, out_spikes, q, score, local_score), and with lists also under
    // "runs" as a dict of them; in_trains, out_trains (and with flat their
    // in_offsets, out_offsets); avg and avl, the means of score and
    // local_score (NaN without a run); partial.
    py::dict result(bool partial);

  private:
    KeptTrains layout_;
    std::vector<int> index_, inSpikes_, outSpikes_;
    std::vector<double> cv_, q_, score_, localScore_;
    std::vector<std::vector<int>> inTrains_, outTrains_;
    std::vector<int> inFlat_, outFlat_;
    std::vector<std::int64_t> inOffsets_{0}, outOffsets_{0};
    std::size_t skipped_ = 0;
    int runs_ = 0;
    std::vector<std::int64_t> skippedByRun_;
};

}  // namespace mirvok::python
