#include "trains/gamma_generator.hpp"

#include <algorithm>
#include <cmath>
#include <utility>

#include "base/checked_math.hpp"
#include "base/errors.hpp"
#include "random/gkm1_sampler.hpp"
#include "random/random_variates.hpp"
#include "text/number_format.hpp"
#include "text/number_parse.hpp"
#include "trains/generator_limits.hpp"
#include "trains/train_memory.hpp"

namespace mirvok {
namespace {

InputError tooManySpikes(std::size_t maxSpikes) {
    return InputError("The train would need more than " +
                      IntToStr(static_cast<long long>(maxSpikes)) +
                      " spikes; choose a longer mean interval or a smaller CV");
}

// Draws between two offers of the events hook: about 65536 passes of the
// rejection loop, whose passes per draw grow as sqrt(a) for large shapes,
// so a long or very regular train leaves the window responsive while a
// train of a batch never gets to an offer.
std::size_t drawsPerEventOffer(double a) {
    constexpr double kPassesPerOffer = 65536.0;
    const double passes = a > 1.0 ? 1.0 + 0.8 * std::sqrt(a) : 2.0;
    return static_cast<std::size_t>(std::max(1.0, kPassesPerOffer / passes));
}

// drawsLeft is shared by all segments of one train; every draw counts,
// failed ones included, so a train always ends. drawInterval gives one
// gamma interval or throws EMathError. events (may be null) is offered the
// pending window events every drawsPerEventOffer draws.
template <class DrawInterval>
void fillSegmentWith(Flags& inTrain, std::vector<int>& inSpikeSteps, int start, int end,
                     DrawInterval&& drawInterval, double a, std::size_t& drawsLeft,
                     std::size_t maxSpikes, GeneratorEntries* events, const TrainRoom& room) {
    // Never touch a flag outside the train.
    start = std::max(start, 0);
    end = std::min<long long>(end, static_cast<long long>(inTrain.size()) - 1);
    const double last = static_cast<double>(end);
    double pos = static_cast<double>(start);
    // The budget and the offers share one test per draw: offerAt is the
    // budget left at the next offer, 0 when the budget ends first.
    const std::size_t offerEvery = drawsPerEventOffer(a);
    const auto nextOffer = [&] { return drawsLeft > offerEvery ? drawsLeft - offerEvery : 0; };
    std::size_t offerAt = nextOffer();
    while (pos <= last) {
        if (drawsLeft == offerAt) {
            if (drawsLeft == 0) throw tooManySpikes(maxSpikes);
            if (events) events->pumpEvents();
            offerAt = nextOffer();
        }
        --drawsLeft;
        double x = 0.0;
        try {
            x = drawInterval();
        } catch (const EMathError&) {
            continue;  // a failed interval is drawn again
        }
        pos += x;
        // pos >= 0 here, so trunc(pos) <= end exactly when pos < end + 1.
        if (!(pos < last + 1.0)) break;
        int k = static_cast<int>(pos);
        if (k == 0) k = 1;
        if (k <= end) {
            if (inSpikeSteps.size() == inSpikeSteps.capacity())
                room.checkGrowth(inSpikeSteps.size());
            inSpikeSteps.push_back(k);
            inTrain[static_cast<std::size_t>(k)] = 1;
        }
    }
}

// The program's own source gets its draws inlined and, above shape 1, the
// sampler that decides most GKM1 passes without a logarithm; any other
// source (a test's scripted one) goes through the plain algorithm. Both
// give the same intervals from the same draws.
void fillSegmentWithBudget(Flags& inTrain, std::vector<int>& inSpikeSteps, int start, int end,
                           double theta, double a, RandomSource& source, std::size_t& drawsLeft,
                           std::size_t maxSpikes, GeneratorEntries* events = nullptr,
                           const TrainRoom& room = {}) {
    if (!(theta > 0.0) || !std::isfinite(theta) || !(a > 0.0) || !std::isfinite(a))
        throw InputError("shape: the scale and the shape of the intervals must be greater than 0");
    auto* pcg = dynamic_cast<Pcg31*>(&source);
    if (pcg == nullptr) {
        fillSegmentWith(
            inTrain, inSpikeSteps, start, end, [&] { return gammaVariate(source, theta, a); }, a,
            drawsLeft, maxSpikes, events, room);
    } else if (a > 1.0 && a <= Gkm1Sampler::kMaxSamplerShape) {
        Gkm1Sampler sampler(*pcg, a);
        fillSegmentWith(
            inTrain, inSpikeSteps, start, end, [&] { return sampler.variate(theta); }, a, drawsLeft,
            maxSpikes, events, room);
    } else {
        fillSegmentWith(
            inTrain, inSpikeSteps, start, end, [&] { return gammaVariate(*pcg, theta, a); }, a,
            drawsLeft, maxSpikes, events, room);
    }
}

// Fills a fresh train and hands it to the state only when complete, so a
// refusal halfway leaves the cleared train rather than part of one.
struct TrainBuffer {
    Flags flags;
    std::vector<int> steps;
    std::size_t drawsLeft;
    std::size_t maxSpikes;
    GeneratorEntries* events;
    TrainRoom room;
};

TrainBuffer emptyBuffer(int Nsteps, GeneratorEntries& events, const TrainRoom& room) {
    const std::size_t n = static_cast<std::size_t>(std::max(Nsteps, 0));
    return TrainBuffer{Flags(n, 0), {}, maxSpikesFor(Nsteps), maxSpikesFor(Nsteps), &events, room};
}

void fill(TrainBuffer& buffer, int start, int end, double theta, double a, RandomSource& source) {
    fillSegmentWithBudget(buffer.flags, buffer.steps, start, end, theta, a, source,
                          buffer.drawsLeft, buffer.maxSpikes, buffer.events, buffer.room);
}

// The scale theta, in steps, of intervals with a mean of meanMs ms and shape a.
double intervalScale(double meanMs, double a) {
    return checkedDivide(checkedFinite(2.0 * meanMs), a);
}

void generateSingle(SimState& state, TrainBuffer& buffer, GeneratorEntries& entries,
                    RandomSource& source, ShapeSource shapeSource) {
    const char sep = entries.decimalSeparator();
    if (shapeSource == ShapeSource::FromCv) {
        const double cv = entries.cv();
        entries.writeShape(shapeTextForCv(cv, sep));
    }
    const double a = entries.shape();
    const double u = 2.0 * source.next() * kUniformQ - 1.0;
    const double isiMs = entries.isi();
    const double jitterMs = entries.isiJitter();
    checkShape(a, shapeSource == ShapeSource::FromCv ? ShapeOrigin::Cv : ShapeOrigin::Entered, sep);
    checkMeanInterval(isiMs, jitterMs, sep);
    const double meanMs = isiMs + jitterMs * u;
    buffer.room.checkExpected(state.Nsteps / (2.0 * meanMs));
    fill(buffer, 0, state.Nsteps - 1, intervalScale(meanMs, a), a, source);
    state.trainMeanMs = meanMs;
    state.trainShape = a;
}

// The segments that fit a run of Nsteps: complete ones (a bound on each
// side, a mean and a shape) that start inside it.
std::size_t usableSegments(const Segments& segments, int Nsteps) {
    std::size_t n =
        std::min({segments.bounds.size() - 1, segments.isi.size(), segments.shape.size()});
    for (std::size_t i = 0; i < n; ++i)
        if (segments.bounds[i] > Nsteps - 1) return i;
    return n;
}

void checkSegments(const Segments& segments, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        try {
            checkShape(segments.shape[i], ShapeOrigin::Cv, '.');
            checkMeanInterval(segments.isi[i], 0.0, '.');
        } catch (const InputError& e) {
            throw InputError("Interval #" + IntToStr(static_cast<long long>(i + 1)) + ": " +
                             e.what());
        }
    }
}

void generateSegments(const Segments& segments, int Nsteps, TrainBuffer& buffer,
                      RandomSource& source) {
    const std::size_t n = usableSegments(segments, Nsteps);
    checkSegments(segments, n);
    const int last = Nsteps - 1;
    const std::vector<int>& bounds = segments.bounds;
    double expected = 0.0;
    for (std::size_t i = 0; i < n; ++i)
        expected += (std::min(bounds[i + 1], last) - bounds[i] + 1) / (2.0 * segments.isi[i]);
    buffer.room.checkExpected(expected);
    for (std::size_t i = 0; i < n; ++i) {
        const double a = segments.shape[i];
        const double theta = checkedDivide(2.0 * segments.isi[i], a);
        fill(buffer, bounds[i], std::min(bounds[i + 1], last), theta, a, source);
    }
}

}  // namespace

const Segments& GeneratorEntries::segments() const {
    static const Segments none;
    return none;
}

void fillGammaSegment(Flags& inTrain, std::vector<int>& inSpikeSteps, int start, int end,
                      double theta, double a, RandomSource& source, std::size_t maxSpikes) {
    std::size_t drawsLeft = maxSpikes;
    fillSegmentWithBudget(inTrain, inSpikeSteps, start, end, theta, a, source, drawsLeft,
                          maxSpikes);
}

std::size_t maxSpikesFor(int Nsteps) {
    constexpr std::size_t kPerStep = 16;
    constexpr std::size_t kAtLeast = 65536;
    const std::size_t steps = static_cast<std::size_t>(std::max(Nsteps, 0));
    return std::max(kPerStep * steps, kAtLeast);
}

std::string shapeTextForCv(double cv, char decimalSeparator) {
    const double square = checkedFinite(std::pow(cv, 2.0));
    return FloatToStr(checkedDivide(1.0, square), decimalSeparator);
}

void generateTrain(SimState& state, GeneratorEntries& entries, RandomSource& source,
                   bool segmentMode, ShapeSource shapeSource, std::uint64_t availableBytes) {
    const std::size_t n = static_cast<std::size_t>(std::max(state.Nsteps, 0));
    state.inTrain.assign(n, 0);
    state.outTrain.assign(n, 0);
    state.inSpikeSteps.clear();
    state.loadedTrain.clear();
    state.loadedOutsideAnyRun = 0;
    state.skippedSteps = 0;
    state.trainMeanMs = 0.0;
    state.trainShape = 0.0;
    const TrainRoom room{availableBytes, state.Nsteps, "use a shorter run or a longer isi"};
    TrainBuffer buffer = emptyBuffer(state.Nsteps, entries, room);
    if (segmentMode && !entries.segments().bounds.empty())
        generateSegments(entries.segments(), state.Nsteps, buffer, source);
    else
        generateSingle(state, buffer, entries, source, shapeSource);
    // Every step drawn lies inside the run, in ascending order.
    state.loadedTrain.assign(buffer.steps.begin(), buffer.steps.end());
    state.inTrain = std::move(buffer.flags);
    state.inSpikeSteps = std::move(buffer.steps);
}

void checkTrainEntries(int Nsteps, GeneratorEntries& entries, bool segmentMode,
                       ShapeSource shapeSource) {
    const Segments& segments = entries.segments();
    if (segmentMode && !segments.bounds.empty()) {
        checkSegments(segments, usableSegments(segments, Nsteps));
        return;
    }
    const char sep = entries.decimalSeparator();
    double a = 1.0;
    if (shapeSource == ShapeSource::FromCv) {
        a = StrToDouble(shapeTextForCv(entries.cv(), sep), sep);
        checkShape(a, ShapeOrigin::Cv, sep);
    }
    const double isiMs = entries.isi();
    const double jitterMs = entries.isiJitter();
    checkMeanInterval(isiMs, jitterMs, sep);
    // The longest mean a shift can give must have a finite scale too.
    if (shapeSource == ShapeSource::FromCv) intervalScale(isiMs + std::fabs(jitterMs), a);
}

}  // namespace mirvok
