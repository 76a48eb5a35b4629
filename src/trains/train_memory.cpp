#include "trains/train_memory.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "base/errors.hpp"
#include "text/number_format.hpp"

namespace mirvok {
namespace {

// The list and its copy as the loaded train take an int each per spike;
// written out, a spike takes the digits of the run's last step and a comma.
constexpr std::uint64_t kListBytesPerSpike = 2 * sizeof(int);
// inTrain and outTrain: a flag each per step.
constexpr std::uint64_t kBytesPerStep = 2;

long long megabytes(std::uint64_t bytes) {
    return static_cast<long long>((bytes + (1u << 20) - 1) >> 20);
}

std::uint64_t textBytesPerSpike(int Nsteps) {
    std::uint64_t digits = 1;
    for (int last = std::max(Nsteps - 1, 0); last >= 10; last /= 10) ++digits;
    return digits + 1;
}

}  // namespace

std::uint64_t trainBytes(std::size_t spikes, int Nsteps) {
    return (kListBytesPerSpike + textBytesPerSpike(Nsteps)) * spikes +
           kBytesPerStep * static_cast<std::uint64_t>(std::max(Nsteps, 0));
}

void TrainRoom::refuseBeyond(std::uint64_t needed) const {
    if (availableBytes == 0 || needed <= availableBytes) return;
    throw InputError("the train needs about " + IntToStr(megabytes(needed)) + " MB, " +
                     IntToStr(megabytes(availableBytes)) +
                     " MB are available: " + std::string(advice));
}

void TrainRoom::checkExpected(double spikes) const {
    constexpr double kMostCounted = 1e15;  // beyond any memory; keeps the cast defined
    const double counted =
        std::isfinite(spikes) ? std::clamp(spikes, 0.0, kMostCounted) : kMostCounted;
    refuseBeyond(trainBytes(static_cast<std::size_t>(counted), Nsteps));
}

void TrainRoom::checkGrowth(std::size_t spikes) const {
    refuseBeyond(trainBytes(std::max<std::size_t>(2 * spikes, 1024), Nsteps));
}

}  // namespace mirvok
