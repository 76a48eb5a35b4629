#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <utility>
#include <vector>

#include "random/random_source.hpp"

namespace mirvok::testing {

// Hands out the integers it was given, in order, and counts the draws. Past
// the last one it throws, so that an extra draw fails the test, unless it was
// told to repeat the last integer (for draws the test does not care about).
class ScriptedSource final : public RandomSource {
  public:
    enum class AfterLast { Throw, RepeatLast };
    explicit ScriptedSource(std::vector<std::int32_t> values, AfterLast after = AfterLast::Throw)
        : values_(std::move(values)), after_(after) {}
    std::int32_t next() override {
        if (draws_ >= values_.size()) {
            if (after_ == AfterLast::Throw || values_.empty())
                throw std::logic_error("scripted source ran out");
            ++draws_;
            return values_.back();
        }
        return values_[draws_++];
    }
    std::size_t draws() const { return draws_; }

  private:
    std::vector<std::int32_t> values_;
    AfterLast after_;
    std::size_t draws_ = 0;
};

// The same integer every time.
class ConstantSource final : public RandomSource {
  public:
    explicit ConstantSource(std::int32_t value) : value_(value) {}
    std::int32_t next() override {
        ++draws_;
        return value_;
    }
    std::size_t draws() const { return draws_; }

  private:
    std::int32_t value_;
    std::size_t draws_ = 0;
};

// A chosen first integer, then a seeded sequence.
class FirstThenPcg final : public RandomSource {
  public:
    FirstThenPcg(std::int32_t first, std::uint64_t seed) : first_(first), rest_(seed) {}
    std::int32_t next() override {
        if (!firstGiven_) {
            firstGiven_ = true;
            return first_;
        }
        return rest_.next();
    }

  private:
    std::int32_t first_;
    bool firstGiven_ = false;
    Pcg31 rest_;
};

}  // namespace mirvok::testing
