#include "batch/replay_budget.hpp"

#include "base/errors.hpp"
#include "batch/batch_memory.hpp"
#include "text/number_format.hpp"

namespace mirvok {

SourceBudget replaySourceBudget(const std::string& path, int steps, std::uint64_t availableBytes) {
    return [path, steps, availableBytes](std::uint64_t held, std::size_t longest) {
        const RunSize run{steps, longest};
        const std::uint64_t needed = held + batchBytes(planRun(1, 1, recordBytes(run)), run);
        if (needed <= availableBytes) return;
        throw InputError("Reading " + path + " needs more than " +
                         IntToStr(static_cast<long long>(needed / 1000000)) + " MB of memory, " +
                         IntToStr(static_cast<long long>(availableBytes / 1000000)) +
                         " MB are available");
    };
}

}  // namespace mirvok
