#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "batch/batch_iteration.hpp"
#include "batch/batch_summary.hpp"
#include "model/sim_state.hpp"
#include "records/result_file.hpp"
#include "records/result_file_reader.hpp"
#include "records/result_session.hpp"

namespace mirvok {

// The values of a batch's header line, as the batch starts.
struct ResultHeader {
    double isi = 20.0;
    double shape = 1000.0;
    int ntests = 100;
};

// What a batch run on the window's own thread reads and offers as it goes:
// the iteration count, which the user may change during the batch; the
// boxes and ticks each iteration reads; the window's events, at the start
// of every iteration and every few hundred steps of its run (pumpEvents);
// and Stop. What is fixed when the batch starts (the result file, the
// seed, the header, a replay's trains) is handed over as values instead.
// A throw from any of these ends the batch there.
class LiveBatch : public RunEvents {
  public:
    // The iteration count now: a generated batch reads it before every
    // iteration, so an edit during the batch lengthens or shortens it.
    virtual int iterations() = 0;
    // Iteration index of total begins; its train is made next.
    virtual void iterationStarts(int index, int total) = 0;
    // What the iteration reads, as it is now.
    virtual GeneratedReads reads() = 0;
    // The iteration's record was written: true ends the batch there.
    virtual bool recorded(const IterationOutcome& outcome) = 0;
    // The batch ends, however it ends: what to add to its provenance entry
    // before it is written for the last time (the window's edits).
    virtual void describe(Provenance& /*entry*/) {}

  protected:
    ~LiveBatch() = default;
};

enum class BatchEnd {
    Completed,   // every iteration ran; the result file was closed
    OpenFailed,  // the result file could not be opened: no run
    Stopped,     // recorded() ended it: the file holds the records of the runs made
};

struct BatchReport {
    BatchEnd end = BatchEnd::Completed;
    std::string openFailure;       // the FileError's message
    bool openBusy = false;         // the FileError was FileBusy: another process writes the file
    BatchSums sums;                // sums and runs made (summaryTexts)
    std::size_t skippedSteps = 0;  // replay: steps outside the run over all lines
};

// "Process All!": opens the result file (a writer session: FILE.json says
// the batch is running before its first record, and how it ended), writes
// the header, then while
// index < live.iterations() runs iteration index from iterationSource(seed,
// index) over live.reads(), adds its values to the sums and writes its
// record; closes the file. With fixed reads its file is the one
// `mirvok-cli batch --seed seed` writes, byte for byte.
// Any exception (a conversion error, a write error, the window closed)
// closes the file and goes on to the caller; the records written stay,
// every line whole, and FILE.json says how far the batch got.
BatchReport runGeneratedBatch(SimState& state, SessionStart start, const ResultHeader& header,
                              std::uint64_t seed, LiveBatch& live);

// "ReadMulti...": the same frame over the output lists of a result file
// read beforehand (readReplaySource). Each list becomes the input train of a
// run as long as live.reads() says (runReplayIteration), recorded with the
// next index from 0. iterations() is not read.
BatchReport runReplayBatch(SimState& state, SessionStart start, const ResultHeader& header,
                           const ReplaySource& source, LiveBatch& live);

}  // namespace mirvok
