#pragma once

#include "cli/file_batch.hpp"

namespace mirvok::cli {

// runFileBatch for a replay whose result file is the file it replays (the
// same file, whatever the names): the source stays whole until the replay
// is. The source is locked against other writers (FileBusy, as a result
// file is), the records go into a file beside it, and only the complete
// replay takes its place, with its FILE.json. A replay stopped by a signal
// leaves the source and its FILE.json as they were and keeps the runs made
// under a name of their own, "<name>.partial<ext>" or the first free
// "-2", "-3" ... beside it, which the Interrupted message says; a replay
// that fails leaves the source as it was and nothing else.
ParallelOutcome runFileBatchIntoSource(FileBatch batch, const IterationWork& work);

}  // namespace mirvok::cli
