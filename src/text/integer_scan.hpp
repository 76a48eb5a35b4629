#pragma once

#include <cstddef>
#include <string_view>

namespace mirvok {

// Decimal digits gathered one at a time, as the spike-list readers take a
// step index. A value beyond the range of int is held at its limit: no run
// has that many steps, so it lies outside every run and is skipped there,
// and a list of steps never needs more than an int per entry.
class StepAccumulator {
  public:
    explicit StepAccumulator(bool negative = false) : negative_(negative) {}
    void addDigit(char digit);
    int value() const;

  private:
    bool negative_;
    long long magnitude_ = 0;  // held just past the int range once beyond it
};

bool isDigit(char c);
bool isWhiteSpace(char c);

// Reads, from pos on, optional white space (line breaks included), an
// optional sign and decimal digits. Returns false, leaving pos and value
// alone, when no digit follows.
bool scanStep(std::string_view text, std::size_t& pos, int& value);

}  // namespace mirvok
