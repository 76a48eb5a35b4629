#include <iterator>
#include <numeric>
#include <string>
#include <vector>

#include "arguments.hpp"
#include "batch/batch_summary.hpp"
#include "call_provenance.hpp"
#include "call_pulse.hpp"
#include "owned_array.hpp"
#include "registrations.hpp"
#include "sweep/sweep_grid.hpp"
#include "sweep/sweep_runner.hpp"
#include "sweep/sweep_seeds.hpp"
#include "sweep/sweep_summary.hpp"
#include "system/machine_memory.hpp"
#include "text/json.hpp"
#include "text/number_format.hpp"
#include "text/number_parse.hpp"
#include "values.hpp"
#include "values/batch_setup.hpp"
#include "values/value_texts.hpp"

namespace mirvok::python {
namespace {

// `vary`: a dict of value names and their values, the first varying slowest.
SweepGrid gridArgument(py::handle vary) {
    if (!py::isinstance<py::dict>(vary)) throw py::type_error("vary: a dict of name: values");
    SweepGrid grid;
    for (auto [key, values] : py::reinterpret_borrow<py::dict>(vary)) {
        const std::string name = py::str(key);
        const ValueRow* row = rowOfKeyword(name);
        if (!row) refuse("vary", "'" + name + "' is no value a batch reads");
        if (!py::isinstance<py::iterable>(values) || py::isinstance<py::str>(values))
            throw py::type_error("vary: " + name + ": a list of values, not " +
                                 std::string(py::str(values.get_type().attr("__name__"))));
        SweepAxis axis{row->option, {}};
        for (py::handle value : values)
            axis.texts.push_back(row->kind == ValueKind::Integer ? integerText(value, name)
                                                                 : numberText(value, name));
        named("vary", [&] { grid.add(std::move(axis)); });
    }
    return grid;
}

// The grid by keyword: {"cv": [0.1, 0.2], ...}, each value as the command
// line reads its text.
Json varyJson(const SweepGrid& grid) {
    Json vary = Json::object();
    for (const SweepAxis& axis : grid.axes()) {
        Json values = Json::array();
        for (const std::string& text : axis.texts) values.push_back(StrToDouble(text, '.'));
        vary[rowOfOption(axis.name)->keyword] = values;
    }
    return vary;
}

// The summary's columns, point after point.
class SummaryColumns final : public SweepSink {
  public:
    SummaryColumns(const SweepGrid& grid, CallPulse& pulse)
        : varied_(grid.axes().size()), pulse_(pulse) {
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

    void progress(long long runs) override { runsDone_ = runs; }
    bool stopRequested() override { return pulse_.beat(runsDone_); }
    long long runsDone() const { return runsDone_; }
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
        for (std::size_t i = 0; i < std::size(kSummaryResults); ++i) {
            const std::string name(kSummaryResults[i]);
            out[(name + "_mean").c_str()] = ownedArray(std::move(means_[i]));
            out[(name + "_sd").c_str()] = ownedArray(std::move(sds_[i]));
        }
        return out;
    }

  private:
    std::vector<std::string> names_;
    std::vector<int> points_, runs_;
    std::vector<std::int64_t> seeds_;
    std::vector<std::vector<double>> varied_;
    std::vector<double> means_[std::size(kSummaryResults)], sds_[std::size(kSummaryResults)];
    CallPulse& pulse_;
    long long runsDone_ = 0;
};

py::dict sweep(const Arguments& a) {
    const SweepGrid grid = gridArgument(a["vary"]);
    const std::uint64_t seed = seedArgument(a[Setting::Seed]);
    const NamedTexts base = valueTexts(a, kAllGroups);
    const std::vector<std::string> segments = segmentTexts(a[Setting::Segments]);
    // Every point is checked before any runs, one at a time, and made only
    // when the sweep comes to it: a large grid holds the points it works on.
    checkGridSetups(grid, base, segments);
    std::vector<int> numbers(static_cast<std::size_t>(grid.points()));
    std::iota(numbers.begin(), numbers.end(), 0);
    SweepRun run;
    run.points = SweepPoints(std::move(numbers), [&](int p) {
        return SweepPoint{p, pointSeed(seed, p), gridSetup(grid, base, segments, p)};
    });
    run.iterations = iterationsArgument(a[Setting::Iterations]);
    const int threads = threadsArgument(a["threads"]);

    CallPulse pulse(a["progress"], a["cancel"],
                    static_cast<long long>(grid.points()) * run.iterations);
    SummaryColumns summary(grid, pulse);
    SweepEnd stop = SweepEnd::Completed;
    CallProvenance made("sweep", batchValuesJson(batchSetupFrom(base, segments)));
    made.entry().seed = seed;
    made.entry().iterations = run.iterations;
    made.entry().more["vary"] = varyJson(grid);
    const CallEnd end = pulse.cancelledAlready() ? CallEnd::Cancelled : withoutGil([&] {
        stop = runSweep(run, threads, summary, availableMemoryBytes());
    });
    const bool partial = end != CallEnd::Completed || stop == SweepEnd::Stopped;
    const auto points = static_cast<long long>(summary.pointsDone());
    const long long runs = summary.runsDone();
    py::dict out = summary.columns();
    out["sweep_seed"] = seed;
    out["partial"] = partial;
    out["provenance"] = made.text(runs);
    if (end == CallEnd::Raised || !pulse.finish(runs))
        pulse.raise(out, interruptedAfter(points, grid.points(), "points") +
                             " of the sweep seeded " + IntToStr(static_cast<long long>(seed)) +
                             ": the points done are in the exception's partial");
    return out;
}

}  // namespace

void registerSweep(py::module_& m) {
    defineFunction(m, "sweep", sweep, "The compiled half of mirvok.sweep.",
                   {"vary", keyword(Setting::Iterations), keyword(Setting::Seed), "threads",
                    keyword(Setting::Segments), "progress", "cancel"},
                   kAllGroups);
}

}  // namespace mirvok::python
