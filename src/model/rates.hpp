#pragma once

#include <exception>

#include "base/errors.hpp"

namespace mirvok {

// The four rates a step reads, each obtained at the moment the step needs
// it, so that edits made during a run act from the next step on. The window
// converts its boxes here; a text that does not convert throws EConvertError.
class RateSource {
  public:
    virtual ~RateSource() = default;
    virtual double gamma1() = 0;  // refill rate of compartment 1
    virtual double gamma2() = 0;  // refill rate of compartment 2
    virtual double delta1() = 0;  // fraction of V1 lost at an input spike
    virtual double delta2() = 0;  // fraction of V2 lost at an input spike
};

// Rates known in advance (command line, tests, benchmarks).
struct FixedRates : RateSource {
    double g1 = 0.009;
    double g2 = 0.006;
    double d1 = 0.45;
    double d2 = 0.3;

    double gamma1() override { return g1; }
    double gamma2() override { return g2; }
    double delta1() override { return d1; }
    double delta2() override { return d2; }
};

// The rate an operation of the step read: refill reads gamma1 or gamma2,
// depletion delta1 or delta2.
enum class Rate { Gamma1, Gamma2, Delta1, Delta2 };

// A volume that overflowed in the step, with the rate whose operation
// overflowed, so that a front end can name the value to change. The message
// is the overflow's own.
class RateOverflow : public EOverflow {
  public:
    explicit RateOverflow(Rate rate) : rate_(rate) {}
    Rate rate() const { return rate_; }

  private:
    Rate rate_;
};

// The rates of the steps between two event checks. A rate can change only
// while events are handled, so each is read from the source at its first use
// after forget() and kept until the next forget(); a read that fails is kept
// too and thrown again at every later use, without asking the source again.
// The run therefore sees the same values, and the same failure at the same
// step, as if it read the source at every step.
class LatchedRates final : public RateSource {
  public:
    explicit LatchedRates(RateSource& source) : source_(source) {}

    double gamma1() override { return get(gamma1_, &RateSource::gamma1); }
    double gamma2() override { return get(gamma2_, &RateSource::gamma2); }
    double delta1() override { return get(delta1_, &RateSource::delta1); }
    double delta2() override { return get(delta2_, &RateSource::delta2); }

    // Events were handled: read every rate again at its next use.
    void forget() { gamma1_ = gamma2_ = delta1_ = delta2_ = Latch{}; }

  private:
    struct Latch {
        enum class State { Unread, Read, Failed } state = State::Unread;
        double value = 0.0;
        std::exception_ptr failure;
    };

    double get(Latch& latch, double (RateSource::*read)()) {
        if (latch.state == Latch::State::Read) return latch.value;
        if (latch.state == Latch::State::Failed) std::rethrow_exception(latch.failure);
        try {
            latch.value = (source_.*read)();
        } catch (...) {
            latch.state = Latch::State::Failed;
            latch.failure = std::current_exception();
            throw;
        }
        latch.state = Latch::State::Read;
        return latch.value;
    }

    RateSource& source_;
    Latch gamma1_, gamma2_, delta1_, delta2_;
};

}  // namespace mirvok
