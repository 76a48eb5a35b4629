#pragma once

#include <functional>

#include "batch/batch_iteration.hpp"

namespace mirvok {

// Computes one iteration on the given worker (0 .. threads - 1); each worker
// runs on its own thread and uses only what belongs to its number.
using IterationWork = std::function<IterationOutcome(int worker, int index)>;
// Receives the outcomes on the calling thread, strictly in index order.
using IterationSink = std::function<void(int index, IterationOutcome& outcome)>;

// Runs iterations 0 .. count - 1 on `threads` worker threads and hands every
// outcome to sink in index order, whatever thread computed it and when.
// Workers run at most a bounded distance ahead of the sink, so memory stays
// small however many iterations there are. An exception from an iteration
// reaches the caller when the sink's turn comes to that index (the outcomes
// before it have been handed over); an exception from the sink stops the
// workers and is rethrown. Either way all threads are joined first.
void runOrdered(int count, int threads, const IterationWork& work, const IterationSink& sink);

}  // namespace mirvok
