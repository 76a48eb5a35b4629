#include "batch/ordered_runner.hpp"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace mirvok {
namespace {

struct Slot {
    IterationOutcome outcome;
    std::exception_ptr error;
};

// Finished iterations waiting for their turn; index i lives in slot
// i % capacity, and no worker claims an index a full ring ahead of the sink.
class ReorderBuffer {
  public:
    ReorderBuffer(int count, int capacity) : count_(count), slots_(capacity) {}

    // The next index to compute, or nullopt when there is none left or the
    // run was stopped.
    std::optional<int> claim() {
        std::unique_lock lock(mutex_);
        const int capacity = static_cast<int>(slots_.size());
        roomFreed_.wait(lock, [&] {
            return stopped_ || nextClaim_ >= count_ || nextClaim_ < nextTake_ + capacity;
        });
        if (stopped_ || nextClaim_ >= count_) return std::nullopt;
        return nextClaim_++;
    }

    void put(int index, Slot slot) {
        {
            std::lock_guard lock(mutex_);
            slots_[index % slots_.size()] = std::move(slot);
        }
        slotFilled_.notify_one();
    }

    // Waits for the next index in order and takes its slot out.
    Slot take() {
        Slot slot;
        {
            std::unique_lock lock(mutex_);
            auto& ready = slots_[nextTake_ % slots_.size()];
            slotFilled_.wait(lock, [&] { return ready.has_value(); });
            slot = std::move(*ready);
            ready.reset();
            ++nextTake_;
        }
        roomFreed_.notify_all();
        return slot;
    }

    void stop() {
        {
            std::lock_guard lock(mutex_);
            stopped_ = true;
        }
        roomFreed_.notify_all();
    }

  private:
    const int count_;
    std::vector<std::optional<Slot>> slots_;
    std::mutex mutex_;
    std::condition_variable roomFreed_;
    std::condition_variable slotFilled_;
    int nextClaim_ = 0;
    int nextTake_ = 0;
    bool stopped_ = false;
};

void workLoop(ReorderBuffer& buffer, const IterationWork& work, int worker) {
    while (const std::optional<int> index = buffer.claim()) {
        Slot slot;
        try {
            slot.outcome = work(worker, *index);
        } catch (...) {
            slot.error = std::current_exception();
        }
        buffer.put(*index, std::move(slot));
    }
}

// Stops and joins the workers however the sink's loop is left.
class WorkerGroup {
  public:
    WorkerGroup(ReorderBuffer& buffer, const IterationWork& work, int threads) : buffer_(buffer) {
        try {
            for (int w = 0; w < threads; ++w)
                threads_.emplace_back(workLoop, std::ref(buffer), std::cref(work), w);
        } catch (...) {
            // A thread the system refuses: the destructor will not run, and
            // a joinable thread left behind would terminate the program.
            stopAndJoin();
            throw;
        }
    }
    ~WorkerGroup() { stopAndJoin(); }

  private:
    void stopAndJoin() {
        buffer_.stop();
        for (std::thread& t : threads_) t.join();
        threads_.clear();
    }

    ReorderBuffer& buffer_;
    std::vector<std::thread> threads_;
};

}  // namespace

void runOrdered(int count, int threads, const IterationWork& work, const IterationSink& sink) {
    if (count <= 0) return;
    if (threads > count) threads = count;
    if (threads < 1) threads = 1;
    // A few dozen finished runs per worker keep every thread busy while the
    // sink writes, at a few hundred bytes each.
    ReorderBuffer buffer(count, 64 * threads);
    WorkerGroup workers(buffer, work, threads);
    for (int index = 0; index < count; ++index) {
        Slot slot = buffer.take();
        if (slot.error) std::rethrow_exception(slot.error);
        sink(index, slot.outcome);
    }
}

}  // namespace mirvok
