#include "kept_runs.hpp"

#include <cstdint>
#include <optional>
#include <span>

#include "arguments.hpp"
#include "system/machine_memory.hpp"
#include "text/number_format.hpp"

namespace mirvok::python {

RunnerPlan planKeptRuns(int count, int threads, const RunSize& run, KeptTrains trains,
                        std::string_view name) {
    // Read once, so that both checks judge the same memory.
    const std::optional<std::uint64_t> available = availableMemoryBytes();
    const RunnerPlan plan = planBatch(count, threads, run, available);
    const std::uint64_t kept =
        keptRunBytes(run, trains) * static_cast<std::uint64_t>(plan.count) + batchBytes(plan, run);
    if (available && kept > *available)
        refuse(name, "keeping " + counted(plan.count, "run") + " needs about " +
                         IntToStr(static_cast<long long>(kept >> 20)) + " MB, more than the " +
                         IntToStr(static_cast<long long>(*available >> 20)) + " MB available");
    return plan;
}

py::dict runKeptRuns(const RunnerPlan& plan, const IterationWork& work, KeptTrains trains,
                     CallPulse& pulse, const KeptRunsCall& call) {
    RunColumns columns(trains);
    const BlockSink sink = [&](int first, std::span<IterationOutcome> block) {
        for (std::size_t j = 0; j < block.size(); ++j)
            columns.add(call.first + first + static_cast<int>(j), block[j]);
        if (pulse.beat(columns.runs())) throw CallCancelled{};
    };
    const CallEnd end = pulse.cancelledAlready()
                            ? CallEnd::Cancelled
                            : withoutGil([&] { runOrdered(plan, work, sink); });

    const int runs = columns.runs();
    py::dict out = columns.result(end != CallEnd::Completed);
    call.addKeys(out, columns);
    if (end == CallEnd::Raised || !pulse.finish(runs))
        pulse.raise(out, call.howFar(runs) + kPartialHint);
    return out;
}

}  // namespace mirvok::python
