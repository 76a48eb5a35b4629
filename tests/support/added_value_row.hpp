#pragma once

#include <atomic>

#include "values/value_table.hpp"

namespace mirvok {

// A value of the model added to the table after version 6.1, as a later
// version might add one: a refractory period, 2.5 ms by default and 0 (none)
// before. The run reads nothing of it; the number a setup last took is kept
// in refractoryRead (setups may be made on several threads), so that a test
// sees which value a file was made again with.
inline std::atomic<double> refractoryRead = 0.0;

class AddedRefractory {
  public:
    AddedRefractory() : row_((refractoryRead = 2.5, row())) {}

  private:
    static ValueRow row() {
        return ValueRow{.option = "refractory",
                        .kind = ValueKind::Real,
                        .help = "refractory period in ms",
                        .unit = "ms",
                        .control = "refractory",
                        .group = ValueGroup::Model,
                        .set = [](BatchSetup&, double v) { refractoryRead.store(v); },
                        .get = [](const BatchSetup&) { return refractoryRead.load(); },
                        .since = "6.2",
                        .before = 0.0};
    }

    AddedValueRow row_;
};

}  // namespace mirvok
