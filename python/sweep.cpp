#include "arguments.hpp"
#include "batch/batch_summary.hpp"
#include "batch/sweep/sweep_grid.hpp"
#include "batch/sweep/sweep_runner.hpp"
#include "batch/sweep/sweep_seeds.hpp"
#include "owned_array.hpp"
#include "registrations.hpp"
#include "signal_check.hpp"
#include "system/machine_memory.hpp"
#include "values.hpp"

namespace mirvok::python {
namespace {

using namespace pybind11::literals;

// `vary`: a dict of value names and their values, the first varying slowest.
SweepGrid gridArgument(py::handle vary) {
    if (!py::isinstance<py::dict>(vary)) throw py::type_error("vary: a dict of name: values");
    SweepGrid grid;
    for (auto [key, values] : py::reinterpret_borrow<py::dict>(vary)) {
        const std::string name = py::str(key);
        const ValueRow* row = rowOfKeyword(name);
        if (!row) refuse("vary", "'" + name + "' is no value a batch reads");
        SweepAxis axis{row->option, {}};
        for (py::handle value : values) axis.texts.push_back(numberText(value, name));
        named("vary", [&] { grid.add(std::move(axis)); });
    }
    return grid;
}

// The summary's columns, point after point.
class SummaryColumns final : public SweepSink {
  public:
    explicit SummaryColumns(const SweepGrid& grid) : varied_(grid.axes().size()) {
        for (const SweepAxis& axis : grid.axes()) names_.push_back(axis.name);
    }

    void pointDone(const SweepPoint& point, const PointStats& stats) override {
        points_.push_back(point.number);
        seeds_.push_back(static_cast<std::int64_t>(point.seed));
        runs_.push_back(stats.runs);
        const std::vector<NamedValue> values = valuesNamed(point.setup, names_);
        for (std::size_t i = 0; i < values.size(); ++i) varied_[i].push_back(values[i].value);
        const RunningStat* ordered[] = {&stats.inSpikes, &stats.cv,    &stats.outSpikes,
                                        &stats.q,        &stats.score, &stats.localScore};
        for (std::size_t i = 0; i < std::size(ordered); ++i) {
            means_[i].push_back(ordered[i]->mean());
            sds_[i].push_back(ordered[i]->sd());
        }
    }

    bool stopRequested() override { return signals_.raised(); }
    std::size_t pointsDone() const { return points_.size(); }

    py::dict columns() {
        py::dict out;
        out["point"] = ownedArray(std::move(points_));
        for (std::size_t i = 0; i < names_.size(); ++i) {
            const py::array_t<double> values = ownedArray(std::move(varied_[i]));
            const ValueRow& row = *rowOfOption(names_[i]);
            out[row.keyword.c_str()] = row.kind == ValueKind::Integer
                                           ? py::object(values.attr("astype")("int64"))
                                           : py::object(values);
        }
        out["seed"] = ownedArray(std::move(seeds_));
        out["runs"] = ownedArray(std::move(runs_));
        const char* const results[] = {"in_spikes", "cv",    "out_spikes",
                                       "q",         "score", "local_score"};
        for (std::size_t i = 0; i < std::size(results); ++i) {
            out[(std::string(results[i]) + "_mean").c_str()] = ownedArray(std::move(means_[i]));
            out[(std::string(results[i]) + "_sd").c_str()] = ownedArray(std::move(sds_[i]));
        }
        return out;
    }

  private:
    std::vector<std::string> names_;
    std::vector<int> points_, runs_;
    std::vector<std::int64_t> seeds_;
    std::vector<std::vector<double>> varied_;
    std::vector<double> means_[6], sds_[6];
    SignalCheck signals_;
};

py::dict sweep(const Arguments& a) {
    const SweepGrid grid = gridArgument(a["vary"]);
    const std::uint64_t seed = seedArgument(a["seed"]);
    const std::vector<BatchSetup> setups =
        gridSetups(grid, valueTexts(a, kAllGroups), segmentTexts(a["segments"]));
    SweepRun run;
    for (int p = 0; p < grid.points(); ++p)
        run.points.push_back({p, pointSeed(seed, p), setups[static_cast<std::size_t>(p)]});
    run.iterations = iterationsArgument(a["iterations"]);
    const int threads = threadsArgument(a["threads"]);

    SummaryColumns summary(grid);
    SweepEnd end = SweepEnd::Completed;
    withoutGil([&] { end = runSweep(run, threads, summary, availableMemoryBytes()); });
    if (end == SweepEnd::Stopped)
        raiseSignalled(interruptedAfter(static_cast<long long>(summary.pointsDone()), grid.points(),
                                        "points"));
    return summary.columns();
}

}  // namespace

void registerSweep(py::module_& m) {
    const std::string doc =
        std::string(R"(Runs a batch per point of a grid of values and summarises every point.

vary: a dict of value names (any number argument below) and their values,
e.g. {"cv": [0.005, 0.01], "gamma1": [0.009, 0.012]}; the grid is their
product, the last name varying fastest, points numbered from 0.
iterations: runs per point. seed: the sweep's seed, 0 .. 2147483647 (None:
from the clock), from which each point's seed derives as for
`mirvok-cli sweep`. threads: worker threads (None: the CPUs this process may
use); the results do not depend on it.

Returns the columns of `mirvok-cli sweep`'s summary.csv as a dict of arrays,
one entry per point: point, the varied names, seed, runs, then the mean and
sample standard deviation (NaN below two runs) over the point's runs of
in_spikes, cv, out_spikes, q, score and local_score (in_spikes_mean,
in_spikes_sd, ...).

)") + valuesDoc(kAllGroups);
    defineFunction<1, 19>(m, "sweep", sweep, doc.c_str(), {py::arg("vary")},
                          joined({{"iterations"_a = 100, "seed"_a = py::none(),
                                   "threads"_a = py::none(), "segments"_a = py::none()},
                                  valueKeywords(kAllGroups)}));
}

}  // namespace mirvok::python
