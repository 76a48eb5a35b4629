#include "support/fixed_live_batch.hpp"

namespace mirvok {

GeneratedReads FixedLiveBatch::reads() {
    const GeneratorSettings& g = settings_.generator;
    return {entries_, {g.segmentMode, g.quantify, g.quantifyZeroOne}, {values_}};
}

}  // namespace mirvok
