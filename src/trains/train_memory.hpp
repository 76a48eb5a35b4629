#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mirvok {

// The memory a train may take as it is made or read (the memory available
// to the process: the machine's, or a cluster job's or container's where
// that is less), so that a train that keeps growing is refused before the
// kernel ends the program, and the jobs beside it. 0: no bound (a batch,
// whose memory was planned before it started).
struct TrainRoom {
    std::uint64_t availableBytes = 0;
    int Nsteps = 0;
    std::string_view advice;  // what to change, for the message

    // Before a train is drawn: throws InputError "the train needs about N MB,
    // M MB are available: <advice>" when a train of this many spikes (its
    // expected count) would not fit.
    void checkExpected(double spikes) const;
    // Called before the list of spike steps grows beyond `spikes` entries:
    // throws the same when twice as many would not fit (a train far above
    // its expected count, or one read from a file).
    void checkGrowth(std::size_t spikes) const;

  private:
    void refuseBeyond(std::uint64_t needed) const;
};

// Bytes a train of this many spikes takes in a run of Nsteps steps while it
// is made and kept: the list of steps with the copy kept as the loaded
// train, the text a spike list is written as, and the train's flags.
std::uint64_t trainBytes(std::size_t spikes, int Nsteps);

}  // namespace mirvok
