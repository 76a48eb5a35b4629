#pragma once

#include <array>
#include <exception>

#include "base/errors.hpp"
#include "model/value_source.hpp"

namespace mirvok {

// A volume that overflowed in the step, with the rate whose operation
// overflowed (refill reads gamma1 or gamma2, depletion delta1 or delta2), so
// that a front end can name the value to change. The message is the
// overflow's own.
class RateOverflow : public EOverflow {
  public:
    explicit RateOverflow(RunValue rate) : rate_(rate) {}
    RunValue rate() const { return rate_; }

  private:
    RunValue rate_;
};

// The rates of the steps between two event checks. A rate can change only
// while events are handled, so each is read from the source at its first use
// after forget() and kept until the next forget(); a read that fails is kept
// too and thrown again at every later use, without asking the source again.
// The run therefore sees the same values, and the same failure at the same
// step, as if it read the source at every step. Other values pass through.
class LatchedRates final : public ValueSource {
  public:
    explicit LatchedRates(ValueSource& source) : source_(source) {}

    double value(RunValue key) override {
        if (!readByStep(key)) return source_.value(key);
        return get(latches_[latchOf(key)], key);
    }
    std::uint64_t memoryBytes() override { return source_.memoryBytes(); }

    // Events were handled: read every rate again at its next use.
    void forget() { latches_ = {}; }

  private:
    struct Latch {
        enum class State { Unread, Read, Failed } state = State::Unread;
        double value = 0.0;
        std::exception_ptr failure;
    };

    // The four rates stand together in RunValue, Gamma1 first.
    static constexpr std::size_t latchOf(RunValue rate) {
        return static_cast<std::size_t>(rate) - static_cast<std::size_t>(RunValue::Gamma1);
    }

    double get(Latch& latch, RunValue key) {
        if (latch.state == Latch::State::Read) return latch.value;
        if (latch.state == Latch::State::Failed) std::rethrow_exception(latch.failure);
        try {
            latch.value = source_.value(key);
        } catch (...) {
            latch.state = Latch::State::Failed;
            latch.failure = std::current_exception();
            throw;
        }
        latch.state = Latch::State::Read;
        return latch.value;
    }

    ValueSource& source_;
    std::array<Latch, 4> latches_;
};

}  // namespace mirvok
