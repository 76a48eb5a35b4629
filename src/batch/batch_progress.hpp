#pragma once

#include <optional>
#include <string>

namespace mirvok {

// The pace of a batch that has made `done` of `total` runs in `seconds`:
// runs per second so far and the time left at that pace, both unknown
// before the first run (or at no time elapsed).
struct BatchPace {
    std::optional<double> runsPerSecond;
    std::optional<double> secondsLeft;  // none left once done reaches total
};
BatchPace batchPace(long long done, long long total, double seconds);

// A duration in whole seconds, rounded up: "0:05", "12:30", "1:02:03".
std::string clockText(double seconds);

// "3354 of 50000, 9850 runs/s, 0:05 left": the runs made of the total, then,
// once known, the pace and, while runs are left, the time left. A batch that
// has ended (stopped, perhaps) has no time left.
enum class BatchState { Running, Ended };
std::string progressText(long long done, long long total, double seconds,
                         BatchState state = BatchState::Running);

// The progress line of the command line and of Python's progress=True:
// "[#####.....]   450/1000 runs   9850 runs/s   0:05 left".
std::string progressLine(long long done, long long total, double seconds);

}  // namespace mirvok
