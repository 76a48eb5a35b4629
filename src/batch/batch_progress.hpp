#pragma once

#include <string>

namespace mirvok {

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
