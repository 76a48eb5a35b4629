#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/local_window_sink.hpp"
#include "analysis/run_results.hpp"
#include "model/sim_state.hpp"
#include "model/value_source.hpp"

namespace mirvok {

// Score of firing p at input CV cv against threshold c0: -1 when c0 is 0 or
// 1; above c0 it rewards firing, at or below it rewards silence.
double cvScore(double p, double cv, double c0);

// Output spikes per input spike, both counted strictly after step ign.
double computeTransmissionRatio(const std::vector<int>& in, const std::vector<int>& out,
                                ValueSource& values);

// CV (population standard deviation over mean) of the input intervals whose
// first spike lies at or after step ign; 0 when there are none.
double computeIsiCV(const std::vector<int>& in, ValueSource& values);

// Local CVs over windows of Range intervals and the mean of their scores.
// The sink (if any) is started first, with no window for a train too short
// for one. When windows run, spikeVari is replaced by one entry per input
// spike and the sink is given every window's local CV.
double computeLocalCv(const std::vector<int>& in, const std::vector<int>& out, ValueSource& values,
                      std::vector<double>& spikeVari, LocalWindowSink* sink);

// The local-CV list box's line of the window that ends at input spike
// `spike` (counted from 0): the spike counted from 1, ".: ", the value in
// fixed 5 with the decimal separator sep. The list holds the non-zero ones.
std::string localCvLine(std::size_t spike, double lcv, char sep);

// The whole analysis of the run the state holds: stores transmissionRatio,
// isiCV, localScoreMean and then the overall score in results as each is
// computed (spikeVari in the state). A value that throws ends it there.
void analyseRun(SimState& state, ValueSource& values, RunResults& results,
                LocalWindowSink* sink = nullptr);

}  // namespace mirvok
