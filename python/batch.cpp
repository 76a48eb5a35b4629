#include "arguments.hpp"
#include "batch/batch_memory.hpp"
#include "batch/batch_summary.hpp"
#include "batch/setup_workers.hpp"
#include "owned_array.hpp"
#include "registrations.hpp"
#include "signal_check.hpp"
#include "system/machine_memory.hpp"
#include "text/number_format.hpp"
#include "values.hpp"

namespace mirvok::python {
namespace {

using namespace pybind11::literals;

// Every run of a batch as values: what its record holds, unrounded.
struct BatchColumns {
    std::vector<int> index, inSpikes, outSpikes;
    std::vector<double> cv, q, score;
    std::vector<std::vector<int>> inTrains, outTrains;
    BatchSums sums;

    void add(int i, IterationOutcome& run) {
        index.push_back(i);
        inSpikes.push_back(static_cast<int>(run.inSpikes));
        cv.push_back(run.isiCV);
        outSpikes.push_back(static_cast<int>(run.outSpikes));
        q.push_back(run.transmissionRatio);
        score.push_back(run.analysisResult);
        inTrains.push_back(std::move(run.inSteps));
        outTrains.push_back(std::move(run.outSteps));
        sums.add(run.analysisResult, run.localScoreMean);
    }
};

// The runs are all kept: refuse a batch whose trains would not fit in the
// memory there is, before it starts, as planBatch refuses its workers.
void checkKeptRuns(int iterations, const RunSize& run) {
    const std::optional<std::uint64_t> available = availableMemoryBytes();
    const std::uint64_t kept = recordBytes(run) * static_cast<std::uint64_t>(iterations);
    if (available && kept > *available)
        refuse("iterations",
               "keeping " + IntToStr(iterations) + " runs needs about " +
                   IntToStr(static_cast<long long>(kept >> 20)) + " MB, more than the " +
                   IntToStr(static_cast<long long>(*available >> 20)) + " MB available");
}

double mean(double sum, int runs) {
    return runs > 0 ? sum / runs : std::numeric_limits<double>::quiet_NaN();
}

py::dict batch(const Arguments& a) {
    BatchSetup setup = batchSetupFrom(valueTexts(a, kAllGroups), segmentTexts(a["segments"]));
    setup.generator.quantify = py::cast<bool>(a["quantify"]);
    setup.generator.quantifyZeroOne = py::cast<bool>(a["c01"]);
    if (setup.generator.quantifyZeroOne && !setup.generator.quantify)
        refuse("c01", "needs quantify=True");
    const int iterations = iterationsArgument(a["iterations"]);
    const std::uint64_t seed = seedArgument(a["seed"]);
    const int threads = threadsArgument(a["threads"]);
    const RunSize size = runSizeOf(setup);
    const RunnerPlan plan = planBatch(iterations, threads, size, availableMemoryBytes());
    checkKeptRuns(iterations, size);

    SetupWorkers workers(setup, plan.workers);
    const IterationWork work = workers.generated(seed, RecordText::Trains);
    BatchColumns columns;
    SignalCheck signals;
    const BlockSink sink = [&](int first, std::span<IterationOutcome> block) {
        for (std::size_t j = 0; j < block.size(); ++j)
            columns.add(first + static_cast<int>(j), block[j]);
        if (signals.raised()) throw SignalRaised{};
    };
    withoutGil([&] { runOrdered(plan, work, sink); },
               [&] { return interruptedAfter(columns.sums.runs, iterations, "runs"); });

    py::dict out;
    out["index"] = ownedArray(std::move(columns.index));
    out["in_spikes"] = ownedArray(std::move(columns.inSpikes));
    out["cv"] = ownedArray(std::move(columns.cv));
    out["out_spikes"] = ownedArray(std::move(columns.outSpikes));
    out["q"] = ownedArray(std::move(columns.q));
    out["score"] = ownedArray(std::move(columns.score));
    out["in_trains"] = ownedArrays(std::move(columns.inTrains));
    out["out_trains"] = ownedArrays(std::move(columns.outTrains));
    out["seed"] = seed;
    out["avg"] = mean(columns.sums.resultSum, columns.sums.runs);
    out["avl"] = mean(columns.sums.localSum, columns.sums.runs);
    return out;
}

}  // namespace

void registerBatch(py::module_& m) {
    const std::string doc =
        std::string(R"(Runs a batch of generated trains, each run as `mirvok-cli batch` makes it.

iterations: number of runs. seed: 0 .. 2147483647, or None for one from the
clock (returned). threads: worker threads, None for the CPUs this process may
use; the results do not depend on it. quantify: give every train a random
gamma shape; c01 (with quantify): the random shape is 1 or 100000.
segments: None, or a list of (end_step, isi, cv) as for generate().

Returns a dict of columns, one entry per run in index order: index,
in_spikes, out_spikes (int32 arrays), cv, q, score (float64 arrays of the
unrounded values the result file's record rounds to two decimals),
in_trains, out_trains (lists of int32 arrays of steps, 0.5 ms each); and
seed, avg (mean score) and avl (mean local score) of the batch.

Ctrl-C stops the batch within about a second (KeyboardInterrupt); the GIL is
released while it runs.

)") + valuesDoc(kAllGroups);
    defineFunction<0, 21>(
        m, "batch", batch, doc.c_str(), {},
        joined({{"iterations"_a = 100, "seed"_a = py::none(), "threads"_a = py::none(),
                 "quantify"_a = false, "c01"_a = false, "segments"_a = py::none()},
                valueKeywords(kAllGroups)}));
}

}  // namespace mirvok::python
