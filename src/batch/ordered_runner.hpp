#pragma once

#include <cstddef>
#include <functional>
#include <span>

#include "batch/batch_iteration.hpp"

namespace mirvok {

// Computes one iteration on the given worker (0 .. workers - 1); each worker
// runs on its own thread and uses only what belongs to its number.
using IterationWork = std::function<IterationOutcome(int worker, int index)>;
// Receives the outcomes of iterations first .. first + size - 1 on the
// calling thread; blocks arrive strictly in index order and without gaps.
using BlockSink = std::function<void(int first, std::span<IterationOutcome> outcomes)>;

// Asked, from the workers and the sink, whether to stop early (an
// interrupt): must be cheap and safe to call from any thread.
using StopRequest = std::function<bool()>;

// How runOrdered splits count iterations: workers claim blocks of
// consecutive indices and hand each block over whole, so a thread is woken
// once per block instead of once per iteration, and the sink writes a block
// at once.
struct RunnerPlan {
    int count = 0;
    int workers = 1;
    int blockSize = 1;
    // Blocks claimed but not yet handed to the sink, at most: workers run no
    // further ahead of the sink than this.
    int ringBlocks = 1;

    // The most outcomes held in memory at once (the ring and the block the
    // sink works on), for the memory a batch needs.
    std::size_t heldOutcomes() const;
};

// The plan for count iterations on `workers` threads (at least 1, at most
// count) whose outcomes take about outcomeBytes each: blocks of up to 64
// iterations, smaller when there are few iterations per worker or when the
// outcomes are large, so neither the last blocks nor the memory held grow
// with the batch; two blocks per worker in the ring, one when an outcome
// fills a block alone.
RunnerPlan planRun(int count, int workers, std::size_t outcomeBytes);

// Runs iterations 0 .. count - 1 as the plan says and hands every outcome to
// sink in index order, whatever thread computed it and when. Returns the
// outcomes handed over: count, or fewer when stop (may be empty) asked to
// end; the sink then gets no further block, the one it was given being
// complete, and each worker ends after its current iteration. An exception
// from an iteration reaches the caller after the outcomes before it (in its
// block too) have been handed over; an exception from the sink stops the
// workers and is rethrown. Either way all threads are joined first.
int runOrdered(const RunnerPlan& plan, const IterationWork& work, const BlockSink& sink,
               const StopRequest& stop = {});

}  // namespace mirvok
