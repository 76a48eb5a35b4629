#pragma once

#include <cstdint>
#include <vector>

#include "trains/random_source.hpp"

namespace mirvok::testing {

// Hands out the given integers in turn, then repeats the last one.
class ScriptedSource final : public RandomSource {
  public:
    explicit ScriptedSource(std::vector<std::int32_t> values) : values_(std::move(values)) {}
    std::int32_t next() override {
        ++draws;
        return values_[next_ < values_.size() - 1 ? next_++ : next_];
    }
    int draws = 0;

  private:
    std::vector<std::int32_t> values_;
    std::size_t next_ = 0;
};

}  // namespace mirvok::testing
