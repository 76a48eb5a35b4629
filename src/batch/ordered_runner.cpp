#include "batch/ordered_runner.hpp"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace mirvok {
namespace {

// A block hands its outcomes over at once, a few dozen runs of a few hundred
// bytes each: one wake-up and one write instead of dozens.
constexpr std::size_t kMostPerBlock = 64;
// Long runs make long records; a block of them stays about this size.
constexpr std::size_t kBlockBytes = std::size_t{1} << 18;
// How often a sink waiting for its next block asks whether to stop.
constexpr std::chrono::milliseconds kStopPoll{50};

struct Block {
    std::vector<IterationOutcome> outcomes;
    std::exception_ptr error;  // set: the iteration after the outcomes threw
};

// Blocks between the workers and the sink. Block b lives in slot b % ring
// from its claim until the sink takes it, so no worker runs a full ring
// ahead of the sink. Every change wakes only a thread that can go on: a
// finished block wakes the sink when it is the one the sink waits for, and
// a block taken frees room for exactly one more claim.
class BlockRing {
  public:
    BlockRing(int blocks, int ring) : blocks_(blocks), slots_(static_cast<std::size_t>(ring)) {}

    // The next block to compute, or nullopt when none is left or needed.
    std::optional<int> claim() {
        std::unique_lock lock(mutex_);
        roomFreed_.wait(lock, [&] {
            return closed_ || nextClaim_ >= blocks_ || nextClaim_ < nextTake_ + ring();
        });
        if (closed_ || nextClaim_ >= blocks_) return std::nullopt;
        return nextClaim_++;
    }

    void put(int index, Block block) {
        bool sinkWaitsForIt = false;
        {
            std::lock_guard lock(mutex_);
            // Nothing after a failed iteration will be handed over: claim no more.
            if (block.error) closed_ = true;
            Slot& slot = slots_[static_cast<std::size_t>(index % ring())];
            slot.block = std::move(block);
            slot.ready = true;
            sinkWaitsForIt = index == nextTake_;
        }
        if (sinkWaitsForIt) blockReady_.notify_one();
    }

    // Waits for the next block in order and takes it out; nullopt when stop
    // asks to end first. The wait wakes now and then to ask, since a signal
    // handler that sets the request cannot notify a condition variable.
    std::optional<Block> take(const StopRequest& stop) {
        Block block;
        {
            std::unique_lock lock(mutex_);
            Slot& slot = slots_[static_cast<std::size_t>(nextTake_ % ring())];
            const auto ready = [&] { return slot.ready; };
            if (stop) {
                while (!blockReady_.wait_for(lock, kStopPoll, ready)) {
                    if (stop()) return std::nullopt;
                }
            } else {
                blockReady_.wait(lock, ready);
            }
            block = std::move(slot.block);
            slot.ready = false;
            ++nextTake_;
        }
        roomFreed_.notify_one();
        return block;
    }

    void close() {
        {
            std::lock_guard lock(mutex_);
            closed_ = true;
        }
        roomFreed_.notify_all();
    }

  private:
    struct Slot {
        Block block;
        bool ready = false;
    };

    int ring() const { return static_cast<int>(slots_.size()); }

    const int blocks_;
    std::vector<Slot> slots_;
    std::mutex mutex_;
    std::condition_variable roomFreed_;
    std::condition_variable blockReady_;
    int nextClaim_ = 0;
    int nextTake_ = 0;
    bool closed_ = false;
};

bool stopRequested(const StopRequest& stop) {
    return stop && stop();
}

// The block's outcomes, or nullopt when stop asked to end before it was
// complete: nothing after a stop is handed over, so its work is dropped.
std::optional<Block> computeBlock(const RunnerPlan& plan, const IterationWork& work,
                                  const StopRequest& stop, int worker, int index) {
    const int first = index * plan.blockSize;
    const int end = std::min(first + plan.blockSize, plan.count);
    Block block;
    block.outcomes.reserve(static_cast<std::size_t>(end - first));
    try {
        for (int i = first; i < end; ++i) {
            if (stopRequested(stop)) return std::nullopt;
            block.outcomes.push_back(work(worker, i));
        }
    } catch (...) {
        block.error = std::current_exception();
    }
    return block;
}

void workLoop(BlockRing& ring, const RunnerPlan& plan, const IterationWork& work,
              const StopRequest& stop, int worker) {
    while (const std::optional<int> index = ring.claim()) {
        std::optional<Block> block = computeBlock(plan, work, stop, worker, *index);
        if (!block) return;
        ring.put(*index, std::move(*block));
    }
}

// Stops and joins the workers however the sink's loop is left.
class WorkerGroup {
  public:
    WorkerGroup(BlockRing& ring, const RunnerPlan& plan, const IterationWork& work,
                const StopRequest& stop)
        : ring_(ring) {
        try {
            for (int w = 0; w < plan.workers; ++w)
                threads_.emplace_back(workLoop, std::ref(ring), std::cref(plan), std::cref(work),
                                      std::cref(stop), w);
        } catch (...) {
            // A thread the system refuses: the destructor will not run, and
            // a joinable thread left behind would terminate the program.
            closeAndJoin();
            throw;
        }
    }
    ~WorkerGroup() { closeAndJoin(); }

  private:
    void closeAndJoin() {
        ring_.close();
        for (std::thread& t : threads_) t.join();
        threads_.clear();
    }

    BlockRing& ring_;
    std::vector<std::thread> threads_;
};

}  // namespace

std::size_t RunnerPlan::heldOutcomes() const {
    return static_cast<std::size_t>(ringBlocks + 1) * static_cast<std::size_t>(blockSize);
}

RunnerPlan planRun(int count, int workers, std::size_t outcomeBytes) {
    RunnerPlan plan;
    plan.count = std::max(count, 0);
    plan.workers = std::clamp(workers, 1, std::max(plan.count, 1));
    // Four blocks per worker or more, so the last ones end close together.
    const std::size_t perWorker = static_cast<std::size_t>(plan.count / (4 * plan.workers));
    const std::size_t fitting = kBlockBytes / std::max<std::size_t>(outcomeBytes, 1);
    plan.blockSize =
        static_cast<int>(std::clamp<std::size_t>(std::min(perWorker, fitting), 1, kMostPerBlock));
    // One block in work and one finished per worker keeps every thread busy
    // while the sink writes. An outcome that fills a block alone (a long
    // run's record, megabytes) takes far longer to make than to write: one
    // block per worker then suffices, and fewer such records are held.
    plan.ringBlocks = outcomeBytes >= kBlockBytes ? plan.workers : 2 * plan.workers;
    return plan;
}

int runOrdered(const RunnerPlan& plan, const IterationWork& work, const BlockSink& sink,
               const StopRequest& stop) {
    if (plan.count <= 0) return 0;
    const int blocks = (plan.count + plan.blockSize - 1) / plan.blockSize;
    BlockRing ring(blocks, plan.ringBlocks);
    WorkerGroup workers(ring, plan, work, stop);
    int handed = 0;
    for (int index = 0; index < blocks && !stopRequested(stop); ++index) {
        std::optional<Block> block = ring.take(stop);
        if (!block) break;
        if (!block->outcomes.empty()) sink(handed, block->outcomes);
        handed += static_cast<int>(block->outcomes.size());
        if (block->error) std::rethrow_exception(block->error);
    }
    return handed;
}

}  // namespace mirvok
